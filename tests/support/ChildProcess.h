#pragma once
// Helper processes that a test starts from its own program: "PROGRAM --child ROLE ARGS..."
// runs the function registered under ROLE instead of the tests, before any application
// object exists, and the process exits with what it returns.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace ChildProcess {

using Role = int (*)(const QStringList& arguments);

inline std::map<QString, Role>& roles()
{
    static std::map<QString, Role> registered;
    return registered;
}

// Registers `role` under `name`; meant for a namespace-scope initialiser in a test file.
inline bool add(const QString& name, Role role)
{
    roles()[name] = role;
    return true;
}

// The arguments that make the test program run `name` with `roleArguments`.
inline QStringList arguments(const QString& name, const QStringList& roleArguments)
{
    return QStringList{QStringLiteral("--child"), name} + roleArguments;
}

// The exit code of the role `argv` asks for; nullopt for an ordinary test run.
inline std::optional<int> runIfAsked(int argc, char** argv)
{
    if (argc < 3 || QByteArray(argv[1]) != "--child")
        return std::nullopt;
    const auto role = roles().find(QString::fromLocal8Bit(argv[2]));
    if (role == roles().end())
        return 2;
    QStringList roleArguments;
    for (int i = 3; i < argc; ++i)
        roleArguments << QString::fromLocal8Bit(argv[i]);
    return role->second(roleArguments);
}

} // namespace ChildProcess
