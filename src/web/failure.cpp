#include "web/failure.h"

namespace kestrix {

std::string faultwords(Fault fault, int status) {
    switch (fault) {
    case Fault::none:
        return {};
    case Fault::notstarted:
        return "not started";
    case Fault::noanswer:
        return "no answer";
    case Fault::timeout:
        return "time-out";
    case Fault::cutshort:
        return "cut short";
    case Fault::status:
        return "status " + std::to_string(status);
    case Fault::toolarge:
        return "too large";
    case Fault::askedtowait:
        return "asked to wait";
    case Fault::refused:
        return "refused";
    case Fault::stopped:
        return "stopped";
    case Fault::offline:
        return "not in the page cache";
    case Fault::notstored:
        return "not stored";
    }
    return {};
}

} // namespace kestrix
