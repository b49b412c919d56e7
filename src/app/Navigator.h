#pragma once
// The screen switcher as the screens see it: a screen that wants another shown asks here.
#include <QRect>

class Navigator {
public:
    // Screens of the main window's middle area, by number.
    enum Screen { Home = 1, Playlist = 2, Files = 3, Video = 4, VehicleTools = 5, TrackInfo = 6 };
    // Where the screens are shown in the main window.
    static constexpr QRect MiddleArea{136, 5, 528, 595};

    virtual ~Navigator() = default;
    // Shows screen `screen` (0 is the track panel, 7 home); other numbers show nothing new.
    virtual void ShowScreen(int screen) = 0;
    virtual int currentScreen() const = 0;
};
