// The presenter of a host without a display: the screen exists only in memory, where snapshots
// and dumps read it.
#include "presenter.h"

namespace mullion {

namespace {

bool start_headless(const std::string&, std::string&) {
    return true;
}
void stop_headless() {}

} // namespace

const Presenter headless_presenter{"headless", start_headless, stop_headless};

} // namespace mullion
