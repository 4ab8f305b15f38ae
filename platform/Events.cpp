#include "platform/Events.h"

#include "platform/Exceptions.h"
#include "platform/MessageBoxes.h"

namespace platform {

void guarded(const std::function<void()>& handler) noexcept
{
    try {
        handler();
    } catch (const Exception& error) {
        ShowErrorBox(error.Message);
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowErrorBox(QStringLiteral("Unknown error"));
    }
}

} // namespace platform
