#include "platform/BluezBluetooth.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {

const QString Service = QStringLiteral("org.bluez");
const QString ObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString Adapter = QStringLiteral("org.bluez.Adapter1");
const QString Device = QStringLiteral("org.bluez.Device1");
const QString Player = QStringLiteral("org.bluez.MediaPlayer1");
const QString AgentManager = QStringLiteral("org.bluez.AgentManager1");
const QString Rejected = QStringLiteral("org.bluez.Error.Rejected");
const QString LookingForBluetooth = QStringLiteral("Looking for Bluetooth...");

// A phone that has gone out of range answers nothing: no call waits longer than this.
constexpr int CommandTimeoutMs = 5000;
// Connecting may page the phone for a while.
constexpr int ConnectTimeoutMs = 30000;

// Phones send what they like: a value of an unexpected type counts as absent.
QString textOf(const QVariant& value)
{
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

bool flagOf(const QVariant& value)
{
    return value.typeId() == QMetaType::Bool && value.toBool();
}

qint64 countOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::LongLong: return std::max<qint64>(0, value.toLongLong());
    default: return 0;
    }
}

QString pathOf(const QVariant& value)
{
    return value.userType() == qMetaTypeId<QDBusObjectPath>() ? value.value<QDBusObjectPath>().path() : QString();
}

QVariantMap dictionaryOf(const QVariant& value)
{
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return {};
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a{sv}"))
        return {};
    return qdbus_cast<QVariantMap>(argument);
}

// The interfaces and their properties of one object (a{sa{sv}}); empty when it is not that.
QMap<QString, QVariantMap> interfacesOf(const QDBusArgument& argument)
{
    QMap<QString, QVariantMap> interfaces;
    if (argument.currentSignature() != QLatin1String("a{sa{sv}}"))
        return interfaces;
    argument.beginMap();
    while (!argument.atEnd()) {
        QString name;
        QVariantMap properties;
        argument.beginMapEntry();
        argument >> name >> properties;
        argument.endMapEntry();
        interfaces.insert(name, properties);
    }
    argument.endMap();
    return interfaces;
}

} // namespace

// org.bluez.Agent1: bluetoothd asks it when a phone pairs or wants a service.
class BluezAgentAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.bluez.Agent1")
public:
    explicit BluezAgentAdaptor(BluezBluetooth* owner)
        : QDBusAbstractAdaptor(owner)
        , m_owner(*owner)
    {
    }

public slots:
    void Release() {}
    QString RequestPinCode(const QDBusObjectPath&, const QDBusMessage& request)
    {
        m_owner.reject(request);
        return {};
    }
    void DisplayPinCode(const QDBusObjectPath&, const QString&) {}
    uint RequestPasskey(const QDBusObjectPath&, const QDBusMessage& request)
    {
        m_owner.reject(request);
        return 0;
    }
    void DisplayPasskey(const QDBusObjectPath&, uint, ushort) {}
    void RequestConfirmation(const QDBusObjectPath& device, uint passkey, const QDBusMessage& request)
    {
        m_owner.requestConfirmation(device.path(), passkey, request);
    }
    void RequestAuthorization(const QDBusObjectPath&, const QDBusMessage& request) { m_owner.reject(request); }
    void AuthorizeService(const QDBusObjectPath& device, const QString&, const QDBusMessage& request)
    {
        m_owner.authorizeService(device.path(), request);
    }
    void Cancel() { m_owner.cancelRequest(); }

private:
    BluezBluetooth& m_owner;
};

std::unique_ptr<Bluetooth> BluezBluetooth::onSystemBus()
{
    const QString name = QStringLiteral("karvex-bluetooth");
    return std::unique_ptr<Bluetooth>(
        new BluezBluetooth(QDBusConnection::connectToBus(QDBusConnection::SystemBus, name), name));
}

std::unique_ptr<Bluetooth> BluezBluetooth::onBus(const QString& address)
{
    static int connections = 0;
    const QString name = QStringLiteral("karvex-bluetooth-%1").arg(++connections);
    return std::unique_ptr<Bluetooth>(new BluezBluetooth(QDBusConnection::connectToBus(address, name), name));
}

BluezBluetooth::BluezBluetooth(const QDBusConnection& bus, const QString& connectionName)
    : m_bus(bus)
    , m_connectionName(connectionName)
{
    m_announce.setSingleShot(true);
    m_announce.setInterval(AnnounceMs);
    connect(&m_announce, &QTimer::timeout, this, &BluezBluetooth::announce);
    m_reason = LookingForBluetooth;
    if (!m_bus.isConnected()) {
        setReason(QStringLiteral("There is no system bus, so Bluetooth cannot be used."));
        return;
    }
    new BluezAgentAdaptor(this);
    m_bus.registerObject(AgentPath, this, QDBusConnection::ExportAdaptors);
    m_bus.connect(Service, QString(), ObjectManager, QStringLiteral("InterfacesAdded"), this,
                  SLOT(interfacesAdded(QDBusMessage)));
    m_bus.connect(Service, QString(), ObjectManager, QStringLiteral("InterfacesRemoved"), this,
                  SLOT(interfacesRemoved(QDBusMessage)));
    m_bus.connect(Service, QString(), Properties, QStringLiteral("PropertiesChanged"), this,
                  SLOT(propertiesChanged(QDBusMessage)));
    auto* watcher = new QDBusServiceWatcher(Service, m_bus,
                                            QDBusServiceWatcher::WatchForRegistration
                                                | QDBusServiceWatcher::WatchForUnregistration,
                                            this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &BluezBluetooth::serviceAppeared);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &BluezBluetooth::serviceVanished);
    serviceAppeared();
}

BluezBluetooth::~BluezBluetooth()
{
    if (m_bus.isConnected())
        m_bus.unregisterObject(AgentPath);
    QDBusConnection::disconnectFromBus(m_connectionName);
}

// Also tried at the start: an answer to GetManagedObjects tells whether bluetoothd runs.
void BluezBluetooth::serviceAppeared()
{
    loadObjects();
    registerAgent();
}

void BluezBluetooth::serviceVanished()
{
    m_serviceRunning = false;
    m_objects.clear();
    updateReason();
    announceSoon(true, true);
}

void BluezBluetooth::loadObjects()
{
    const QDBusMessage request =
        QDBusMessage::createMethodCall(Service, QStringLiteral("/"), ObjectManager, QStringLiteral("GetManagedObjects"));
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(request, CommandTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusMessage reply = call->reply();
        m_loaded = true;
        m_serviceRunning = reply.type() == QDBusMessage::ReplyMessage;
        m_objects.clear();
        if (m_serviceRunning && reply.arguments().size() == 1
            && reply.arguments().first().userType() == qMetaTypeId<QDBusArgument>()) {
            const auto objects = reply.arguments().first().value<QDBusArgument>();
            if (objects.currentSignature() == QLatin1String("a{oa{sa{sv}}}")) {
                objects.beginMap();
                while (!objects.atEnd()) {
                    QDBusObjectPath path;
                    objects.beginMapEntry();
                    objects >> path;
                    m_objects.insert(path.path(), interfacesOf(objects));
                    objects.endMapEntry();
                }
                objects.endMap();
            }
        }
        updateReason();
        announceSoon(true, true);
    });
}

void BluezBluetooth::registerAgent()
{
    QDBusMessage registration = QDBusMessage::createMethodCall(Service, QStringLiteral("/org/bluez"), AgentManager,
                                                               QStringLiteral("RegisterAgent"));
    registration << QVariant::fromValue(QDBusObjectPath(AgentPath)) << QStringLiteral("DisplayYesNo");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(registration, CommandTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answer) {
        answer->deleteLater();
        if (answer->isError())
            return;
        call(QStringLiteral("/org/bluez"), AgentManager, QStringLiteral("RequestDefaultAgent"),
             {QVariant::fromValue(QDBusObjectPath(AgentPath))}, CommandTimeoutMs);
    });
}

void BluezBluetooth::updateReason()
{
    if (!m_loaded)
        m_reason = LookingForBluetooth;
    else if (!m_serviceRunning)
        setReason(QStringLiteral("The Bluetooth service (bluetoothd) is not running."));
    else if (adapterPath().isEmpty())
        setReason(QStringLiteral("There is no Bluetooth adapter."));
    else
        setReason(QString());
}

void BluezBluetooth::setReason(const QString& reason)
{
    m_reason = reason;
    // Said once: a car without Bluetooth is no fault.
    if (!reason.isEmpty() && !m_reasonReported) {
        m_reasonReported = true;
        qInfo("Phone (Bluetooth) off: %s", qUtf8Printable(reason));
    }
}

void BluezBluetooth::interfacesAdded(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 2 || arguments[1].userType() != qMetaTypeId<QDBusArgument>())
        return;
    const QString path = pathOf(arguments[0]);
    if (path.isEmpty())
        return;
    const QMap<QString, QVariantMap> added = interfacesOf(arguments[1].value<QDBusArgument>());
    Interfaces& interfaces = m_objects[path];
    for (auto interface = added.cbegin(); interface != added.cend(); ++interface)
        interfaces.insert(interface.key(), interface.value());
    updateReason();
    announceSoon(true, added.contains(Player));
}

void BluezBluetooth::interfacesRemoved(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 2 || arguments[1].typeId() != QMetaType::QStringList)
        return;
    const QString path = pathOf(arguments[0]);
    const auto object = m_objects.find(path);
    if (object == m_objects.end())
        return;
    const QStringList removed = arguments[1].toStringList();
    for (const QString& interface : removed)
        object->remove(interface);
    if (object->isEmpty())
        m_objects.erase(object);
    updateReason();
    announceSoon(true, removed.contains(Player));
}

void BluezBluetooth::propertiesChanged(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2 || arguments[0].typeId() != QMetaType::QString)
        return;
    const auto object = m_objects.find(message.path());
    const QString interface = arguments[0].toString();
    if (object == m_objects.end() || !object->contains(interface))
        return;
    QVariantMap& properties = (*object)[interface];
    const QVariantMap changed = dictionaryOf(arguments[1]);
    for (auto property = changed.cbegin(); property != changed.cend(); ++property)
        properties.insert(property.key(), property.value());
    if (arguments.size() == 3 && arguments[2].typeId() == QMetaType::QStringList)
        for (const QString& name : arguments[2].toStringList())
            properties.remove(name);
    announceSoon(interface != Player, interface == Player || interface == Device);
}

void BluezBluetooth::announceSoon(bool phones, bool player)
{
    m_phonesChanged |= phones;
    m_playerChanged |= player;
    if (!m_announce.isActive())
        m_announce.start();
}

void BluezBluetooth::announce()
{
    if (std::exchange(m_phonesChanged, false))
        emit phonesChanged();
    if (std::exchange(m_playerChanged, false))
        emit playerChanged();
}

QString BluezBluetooth::adapterPath() const
{
    for (auto object = m_objects.cbegin(); object != m_objects.cend(); ++object)
        if (object->contains(Adapter))
            return object.key();
    return {};
}

QVariant BluezBluetooth::property(const QString& path, const QString& interface, const QString& name) const
{
    return m_objects.value(path).value(interface).value(name);
}

QString BluezBluetooth::phoneName(const QString& device) const
{
    for (const char* name : {"Alias", "Name", "Address"}) {
        const QString text = textOf(property(device, Device, QLatin1String(name)));
        if (!text.isEmpty())
            return text;
    }
    return device.isEmpty() ? QStringLiteral("Phone") : device.section(u'/', -1);
}

QList<BluetoothPhone> BluezBluetooth::phones() const
{
    QList<BluetoothPhone> phones;
    for (auto object = m_objects.cbegin(); object != m_objects.cend(); ++object) {
        const QVariantMap device = object->value(Device);
        if (flagOf(device.value(QStringLiteral("Paired"))))
            phones.append({object.key(), phoneName(object.key()), flagOf(device.value(QStringLiteral("Connected")))});
    }
    return phones;
}

std::optional<PhonePlayer> BluezBluetooth::player() const
{
    std::optional<PhonePlayer> found;
    for (auto object = m_objects.cbegin(); object != m_objects.cend(); ++object) {
        if (!object->contains(Player))
            continue;
        const QVariantMap properties = object->value(Player);
        const QVariantMap track = dictionaryOf(properties.value(QStringLiteral("Track")));
        PhonePlayer player;
        player.phoneName = phoneName(pathOf(properties.value(QStringLiteral("Device"))));
        player.status = textOf(properties.value(QStringLiteral("Status")));
        player.title = textOf(track.value(QStringLiteral("Title")));
        player.artist = textOf(track.value(QStringLiteral("Artist")));
        player.album = textOf(track.value(QStringLiteral("Album")));
        player.genre = textOf(track.value(QStringLiteral("Genre")));
        player.lengthMs = countOf(track.value(QStringLiteral("Duration")));
        player.positionMs = countOf(properties.value(QStringLiteral("Position")));
        if (!found || (player.playing() && !found->playing()))
            found = player;
    }
    return found;
}

namespace {

// The player of a phone that plays, else the first one.
QString playerPathOf(const QMap<QString, QMap<QString, QVariantMap>>& objects)
{
    QString first;
    for (auto object = objects.cbegin(); object != objects.cend(); ++object) {
        if (!object->contains(Player))
            continue;
        if (textOf(object->value(Player).value(QStringLiteral("Status"))) == QLatin1String("playing"))
            return object.key();
        if (first.isEmpty())
            first = object.key();
    }
    return first;
}

} // namespace

void BluezBluetooth::sendToPlayer(PlayerCommand command)
{
    const QString path = playerPathOf(m_objects);
    if (path.isEmpty())
        return;
    static const QString Methods[] = {QStringLiteral("Play"), QStringLiteral("Pause"), QStringLiteral("Next"),
                                      QStringLiteral("Previous")};
    call(path, Player, Methods[int(command)], {}, CommandTimeoutMs);
}

void BluezBluetooth::makeVisible(const QString& name, int seconds)
{
    const QString adapter = adapterPath();
    if (adapter.isEmpty())
        return;
    setProperty(adapter, Adapter, QStringLiteral("Powered"), true);
    setProperty(adapter, Adapter, QStringLiteral("Alias"), name);
    setProperty(adapter, Adapter, QStringLiteral("Pairable"), true);
    setProperty(adapter, Adapter, QStringLiteral("DiscoverableTimeout"), uint(seconds));
    setProperty(adapter, Adapter, QStringLiteral("Discoverable"), true);
}

void BluezBluetooth::connectPhone(const QString& id)
{
    call(id, Device, QStringLiteral("Connect"), {}, ConnectTimeoutMs);
}

void BluezBluetooth::forgetPhone(const QString& id)
{
    const QString adapter = pathOf(property(id, Device, QStringLiteral("Adapter")));
    call(adapter.isEmpty() ? adapterPath() : adapter, Adapter, QStringLiteral("RemoveDevice"),
         {QVariant::fromValue(QDBusObjectPath(id))}, CommandTimeoutMs);
}

void BluezBluetooth::requestConfirmation(const QString& device, quint32 passkey, const QDBusMessage& request)
{
    if (m_confirmation.type() == QDBusMessage::MethodCallMessage)
        reject(m_confirmation);
    request.setDelayedReply(true);
    m_confirmation = request;
    m_confirmingDevice = device;
    // Asked once the call has been taken in: the question waits for the driver.
    QMetaObject::invokeMethod(
        this, [this, name = phoneName(device), passkey] { emit confirmationRequested(name, passkey); },
        Qt::QueuedConnection);
}

void BluezBluetooth::confirmPairing(bool confirmed)
{
    if (m_confirmation.type() != QDBusMessage::MethodCallMessage)
        return;
    const QDBusMessage request = std::exchange(m_confirmation, QDBusMessage());
    if (!confirmed) {
        reject(request);
        return;
    }
    m_bus.send(request.createReply());
    setProperty(m_confirmingDevice, Device, QStringLiteral("Trusted"), true);
}

void BluezBluetooth::authorizeService(const QString& device, const QDBusMessage& request)
{
    request.setDelayedReply(true);
    if (flagOf(property(device, Device, QStringLiteral("Paired"))))
        m_bus.send(request.createReply());
    else
        m_bus.send(request.createErrorReply(Rejected, QStringLiteral("Not a paired phone")));
}

void BluezBluetooth::reject(const QDBusMessage& request)
{
    request.setDelayedReply(true);
    m_bus.send(request.createErrorReply(Rejected, QStringLiteral("Refused on the car's screen")));
}

void BluezBluetooth::cancelRequest()
{
    m_confirmation = QDBusMessage();
}

void BluezBluetooth::call(const QString& path, const QString& interface, const QString& method,
                          const QVariantList& arguments, int timeoutMs)
{
    QDBusMessage request = QDBusMessage::createMethodCall(Service, path, interface, method);
    request.setArguments(arguments);
    // The answer is not waited for: what changes comes back as property changes.
    m_bus.asyncCall(request, timeoutMs);
}

void BluezBluetooth::setProperty(const QString& path, const QString& interface, const QString& name,
                                 const QVariant& value)
{
    call(path, Properties, QStringLiteral("Set"), {interface, name, QVariant::fromValue(QDBusVariant(value))},
         CommandTimeoutMs);
}

#include "BluezBluetooth.moc"
