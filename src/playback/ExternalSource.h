#pragma once
// A player other than the playlist's (the driver's phone) that the player buttons act on
// while the now-playing record shows its track (NowPlaying::otherSource()).
class ExternalSource {
public:
    virtual ~ExternalSource() = default;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void previous() = 0;
    virtual void next() = 0;
    // The once-a-second position update.
    virtual void showPosition() = 0;
};
