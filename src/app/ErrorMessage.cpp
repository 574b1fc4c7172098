#include "ErrorMessage.h"

#include "common/Error.h"

#include <QFileInfo>

namespace norvan::app {

namespace {

// Walks the chain outer to inner; a later (inner) non-empty message replaces the earlier one.
void collectInnermostMessage(const std::exception_ptr& error, QString& message) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        const QString text = exceptionMessage(e);
        if (!text.isEmpty()) message = text;
        try {
            std::rethrow_if_nested(e);
        } catch (...) {
            collectInnermostMessage(std::current_exception(), message);
        }
    } catch (...) {
        // Not an exception class: there is no message to show beyond the outer ones.
    }
}

}  // namespace

QString errorMessageText(const std::exception_ptr& error) {
    QString message;
    collectInnermostMessage(error, message);
    if (!message.isEmpty() && message.back() > u'.') message += u'.';
    return message;
}

QString applicationTitle(const QString& executablePath) {
    const QString name = QFileInfo(executablePath).fileName().section(u'.', 0, 0);
    return name.left(1) + name.mid(1).toLower();
}

}  // namespace norvan::app
