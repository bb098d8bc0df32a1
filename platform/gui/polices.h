#pragma once
// Reading the system's font configuration takes a few milliseconds before the
// first text can be measured. Started on another thread as the program
// starts, it is done while the application connects to the display.
#include <thread>

class PrechauffagePolices {
public:
    PrechauffagePolices();
    ~PrechauffagePolices();
    PrechauffagePolices(const PrechauffagePolices &) = delete;
    PrechauffagePolices &operator=(const PrechauffagePolices &) = delete;

    // Waits for the reading; to be called before any window is built, so that
    // the first text does not read the configuration a second time meanwhile.
    void attendre();

private:
    std::thread m_fil;
};
