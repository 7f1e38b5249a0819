// The publisher a build pins for the connection files it launches (empty when none). Defined
// in a file of its own so that one build can make a program with another pin beside it.
#pragma once

#include <string_view>

std::string_view PinnedRdpPublisher();
