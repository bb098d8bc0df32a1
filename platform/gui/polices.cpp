#include "platform/gui/polices.h"

#include <fontconfig/fontconfig.h>

PrechauffagePolices::PrechauffagePolices()
{
    try {
        m_fil = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: the first text reads it, as it would anyway.
    }
}

PrechauffagePolices::~PrechauffagePolices()
{
    attendre();
}

void PrechauffagePolices::attendre()
{
    if (m_fil.joinable())
        m_fil.join();
}
