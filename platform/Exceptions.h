#pragma once
// Errors are values with a message; the message is what the error box shows.

#include <QString>

#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(QString message) : Message(std::move(message)), utf8(Message.toUtf8()) {}
    const char* what() const noexcept override { return utf8.constData(); }
    QString Message;

private:
    QByteArray utf8;
};

// An error of the data engine or of a data-aware control.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};
