#include "catalogue/rdp_publisher_pin.h"

#include "rdp_publisher.h"

std::string_view PinnedRdpPublisher() {
    return deployment::kRdpPublisher;
}
