#include "catalogue/remote_app_item.h"

std::vector<RemoteAppItem> g_remoteApps;
