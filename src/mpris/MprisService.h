#pragma once
// The player offered on the session bus as an MPRIS 2 media player, the interface phones
// (through BlueZ's mpris-proxy), steering-wheel interfaces, desktop widgets and playerctl
// speak: org.mpris.MediaPlayer2.karvex at /org/mpris/MediaPlayer2.
#include "mpris/RemotePlayer.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QObject>
#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>

class MprisPlayerAdaptor;

class MprisService : public QObject {
    Q_OBJECT
public:
    static inline const QString ServiceName = QStringLiteral("org.mpris.MediaPlayer2.karvex");
    static inline const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

    // The session bus's address: DBUS_SESSION_BUS_ADDRESS, else the user's bus socket in
    // XDG_RUNTIME_DIR; empty when there is neither.
    static QString sessionBusAddress();
    // The service on the session bus; nullptr, said once in the log, when there is none.
    static std::unique_ptr<MprisService> startOnSessionBus(RemotePlayer& player);
    // The service on the bus at `address`; nullptr, said in the log, when it cannot be
    // reached. The bus name is asked for without waiting; ownsName() tells when it is ours.
    static std::unique_ptr<MprisService> start(RemotePlayer& player, const QString& address);
    ~MprisService() override;

    bool ownsName() const { return m_ownsName; }

    // For the adaptors.
    RemotePlayer& player() { return m_player; }
    QDBusConnection& bus() { return m_bus; }
    // What the Player interface's properties say now (all but Position).
    QVariantMap currentProperties();
    // The open track's mpris:trackid.
    QDBusObjectPath currentTrackId();
    // A control has been used: the properties are compared again once it is done.
    void scheduleRefresh();
    // The open track has been moved to `ms`: tells the clients (Seeked).
    void reportSeek(qint64 ms);

private:
    MprisService(RemotePlayer& player, const QDBusConnection& bus);
    void requestName();
    void refresh();
    QVariantMap metadata(const RemoteTrack& track);
    QDBusObjectPath trackId() const;
    // Reports a move of the open track made on the screen (the track bar, repeat's
    // restart): a position off the course it was on since the last look.
    void lookAtPosition();
    QString writeArt();

    RemotePlayer& m_player;
    MprisPlayerAdaptor* m_playerAdaptor = nullptr;
    QDBusConnection m_bus;
    bool m_ownsName = false;
    bool m_refreshPending = false;
    // The properties as the clients were last told them.
    QVariantMap m_properties;
    RemoteTrack m_track;
    quint64 m_trackNumber = 0;
    QVariantMap m_metadata;
    // Holds the picture files of artUrl; removed with the service.
    QTemporaryDir m_artFolder;
    QString m_artFile;
    // Which track was open at the last look, where it was and whether it was playing.
    QDBusObjectPath m_lookedAtTrack;
    qint64 m_lastPositionMs = 0;
    bool m_wasPlaying = false;
    QElapsedTimer m_sinceLastPosition;
};
