#include "platform/respiration.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>

std::function<void()> Respiration()
{
    auto depuis = std::make_shared<QElapsedTimer>(); // invalid: the first call runs events
    return [depuis] {
        if (depuis->isValid() && depuis->elapsed() < 5)
            return;
        QCoreApplication::processEvents();
        depuis->start();
    };
}
