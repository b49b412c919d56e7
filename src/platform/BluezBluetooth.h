#pragma once
// Bluetooth through BlueZ (org.bluez) on the system bus: its Adapter1, Device1 and
// MediaPlayer1 objects, and an Agent1 of our own, the default agent, through which a phone
// asking to pair is confirmed on the screen. Property changes, however many a phone sends,
// are taken in at once and announced at most every AnnounceMs.
#include "platform/Bluetooth.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QMap>
#include <QTimer>
#include <QVariantMap>
#include <memory>

class BluezBluetooth : public Bluetooth {
    Q_OBJECT
public:
    static constexpr int AnnounceMs = 150;
    static inline const QString AgentPath = QStringLiteral("/org/karvex/agent");

    // On the machine's system bus.
    static std::unique_ptr<Bluetooth> onSystemBus();
    // On the bus at `address`.
    static std::unique_ptr<Bluetooth> onBus(const QString& address);
    ~BluezBluetooth() override;

    QString unavailableReason() const override { return m_reason; }
    QList<BluetoothPhone> phones() const override;
    void makeVisible(const QString& name, int seconds) override;
    void connectPhone(const QString& id) override;
    void forgetPhone(const QString& id) override;
    void confirmPairing(bool confirmed) override;
    std::optional<PhonePlayer> player() const override;
    void sendToPlayer(PlayerCommand command) override;

    // For the agent (org.bluez.Agent1), called by bluetoothd.
    void requestConfirmation(const QString& device, quint32 passkey, const QDBusMessage& request);
    void authorizeService(const QString& device, const QDBusMessage& request);
    void reject(const QDBusMessage& request);
    void cancelRequest();

private slots:
    void interfacesAdded(const QDBusMessage& message);
    void interfacesRemoved(const QDBusMessage& message);
    void propertiesChanged(const QDBusMessage& message);

private:
    using Interfaces = QMap<QString, QVariantMap>;

    BluezBluetooth(const QDBusConnection& bus, const QString& connectionName);
    void serviceAppeared();
    void serviceVanished();
    void loadObjects();
    void registerAgent();
    void updateReason();
    void setReason(const QString& reason);
    void announceSoon(bool phones, bool player);
    void announce();
    QString adapterPath() const;
    QString phoneName(const QString& device) const;
    QVariant property(const QString& path, const QString& interface, const QString& name) const;
    void call(const QString& path, const QString& interface, const QString& method, const QVariantList& arguments,
              int timeoutMs);
    void setProperty(const QString& path, const QString& interface, const QString& name, const QVariant& value);

    QDBusConnection m_bus;
    QString m_connectionName;
    // What bluetoothd has: object path, interface, properties.
    QMap<QString, Interfaces> m_objects;
    bool m_serviceRunning = false;
    bool m_loaded = false;
    QString m_reason;
    bool m_reasonReported = false;
    QDBusMessage m_confirmation;
    QString m_confirmingDevice;
    QTimer m_announce;
    bool m_phonesChanged = false;
    bool m_playerChanged = false;
};
