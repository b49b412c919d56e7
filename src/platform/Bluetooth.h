#pragma once
// The car PC's Bluetooth: the adapter made visible to phones, the phones it knows, and the
// media player of a connected phone. Nothing here waits for the phone or the Bluetooth
// service: commands are sent and their answers, like every change, come back later as
// signals on the window thread.
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

struct BluetoothPhone {
    // Stands for the phone in connectPhone() and forgetPhone().
    QString id;
    QString name;
    bool connected = false;

    bool operator==(const BluetoothPhone&) const = default;
};

// What a connected phone's player says it plays. Texts are as the phone sent them.
struct PhonePlayer {
    QString phoneName;
    // "playing", "paused", "stopped", ...
    QString status;
    QString title;
    QString artist;
    QString album;
    QString genre;
    qint64 lengthMs = 0;
    // Where the track was when the phone last said so.
    qint64 positionMs = 0;

    bool playing() const { return status == QLatin1String("playing"); }
    bool operator==(const PhonePlayer&) const = default;
};

class Bluetooth : public QObject {
    Q_OBJECT
public:
    enum class PlayerCommand { Play, Pause, Next, Previous };

    // Why no phone can pair now; empty when one can.
    virtual QString unavailableReason() const = 0;
    // The paired phones.
    virtual QList<BluetoothPhone> phones() const = 0;
    // Lets phones find the car PC under `name` and pair with it for `seconds`.
    virtual void makeVisible(const QString& name, int seconds) = 0;
    virtual void connectPhone(const QString& id) = 0;
    // Unpairs the phone: it must pair again to be used.
    virtual void forgetPhone(const QString& id) = 0;
    // Answers the last confirmationRequested(); a confirmed phone is trusted, so it
    // reconnects by itself whenever it is in range.
    virtual void confirmPairing(bool confirmed) = 0;

    // The player of a connected phone (the one playing, if one is); none without.
    virtual std::optional<PhonePlayer> player() const = 0;
    virtual void sendToPlayer(PlayerCommand command) = 0;

signals:
    // unavailableReason() or phones() may have changed.
    void phonesChanged();
    void playerChanged();
    // A phone asks to pair and shows `passkey`; confirmPairing() answers.
    void confirmationRequested(const QString& phoneName, quint32 passkey);
};
