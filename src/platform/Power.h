#pragma once

// Restarting and switching off the computer. Each call returns false when the system
// refused the request.
class Power {
public:
    virtual ~Power() = default;
    virtual bool reboot() = 0;
    virtual bool powerOff() = 0;
};
