// SPDX-License-Identifier: MIT
// Reads what assistive technology reads: a window's accessible properties
// over AT-SPI, the desktop's accessibility bus, as a screen reader does.
// Needs a session bus (dbus-run-session) with AT-SPI's bus service.
#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <optional>

namespace atspi {

using namespace Qt::StringLiterals;

// An accessible object: the bus name of its application and its path.
struct Ref {
    QString service;
    QDBusObjectPath path;
};

inline QDBusArgument& operator<<(QDBusArgument& a, const Ref& r)
{
    a.beginStructure();
    a << r.service << r.path;
    a.endStructure();
    return a;
}

inline const QDBusArgument& operator>>(const QDBusArgument& a, Ref& r)
{
    a.beginStructure();
    a >> r.service >> r.path;
    a.endStructure();
    return a;
}

}  // namespace atspi

Q_DECLARE_METATYPE(atspi::Ref)

namespace atspi {

class Bus {
public:
    // Starts the accessibility bus (an application started after this joins
    // it); false when there is no session bus or no AT-SPI.
    bool open()
    {
        qDBusRegisterMetaType<Ref>();
        qDBusRegisterMetaType<QList<Ref>>();
        const QDBusMessage reply = QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            u"org.a11y.Bus"_s, u"/org/a11y/bus"_s, u"org.a11y.Bus"_s, u"GetAddress"_s));
        if (reply.type() != QDBusMessage::ReplyMessage)
            return false;
        m_bus = QDBusConnection::connectToBus(reply.arguments().value(0).toString(), u"a11y"_s);
        return m_bus.isConnected();
    }

    // A string property of the accessible interface ("Name", "Description").
    QString property(const Ref& of, const QString& name) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            of.service, of.path.path(), u"org.freedesktop.DBus.Properties"_s, u"Get"_s);
        call << u"org.a11y.atspi.Accessible"_s << name;
        const QDBusMessage reply = m_bus.call(call, QDBus::Block, 5000);
        return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    }

    QList<Ref> children(const Ref& of) const
    {
        const QDBusMessage reply = m_bus.call(QDBusMessage::createMethodCall(of.service, of.path.path(),
                                                  u"org.a11y.atspi.Accessible"_s, u"GetChildren"_s),
            QDBus::Block, 5000);
        QList<Ref> out;
        if (reply.type() == QDBusMessage::ReplyMessage)
            reply.arguments().value(0).value<QDBusArgument>() >> out;
        return out;
    }

    // The top-level window called `window` of the application `app`.
    std::optional<Ref> window(const QString& app, const QString& window) const
    {
        const Ref desktop{
            u"org.a11y.atspi.Registry"_s, QDBusObjectPath(u"/org/a11y/atspi/accessible/root"_s)};
        for (const Ref& a : children(desktop))
            if (property(a, u"Name"_s) == app)
                for (const Ref& w : children(a))
                    if (property(w, u"Name"_s) == window)
                        return w;
        return std::nullopt;
    }

private:
    QDBusConnection m_bus{u"none"_s};
};

}  // namespace atspi
