#pragma once
// Exceptions must never cross Qt's event loop. Every event handler is
// connected through onEvent, which runs it inside the one guard: an error
// that escapes a handler is shown in the error box and the program goes on.

#include <QObject>

#include <functional>

namespace platform {

void guarded(const std::function<void()>& handler) noexcept;

template <class Sender, class Signal, class Receiver, class Owner>
QMetaObject::Connection onEvent(Sender* sender, Signal signal, Receiver* receiver, void (Owner::*handler)())
{
    return QObject::connect(sender, signal, receiver,
                            [receiver, handler] { guarded([&] { (receiver->*handler)(); }); });
}

} // namespace platform
