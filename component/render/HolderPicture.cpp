#include "component/render/HolderPicture.h"

#include <optional>

namespace docuvel {
namespace {

struct ObjectServer {
    std::optional<gdi::RasterPicture> holder;
};

std::optional<ObjectServer>& objectServer() {
    static std::optional<ObjectServer> server;
    return server;
}

} // namespace

const gdi::RasterPicture* LoadHolderPicture(const std::filesystem::path& path) {
    std::optional<ObjectServer>& server = objectServer();
    if (!server)
        server.emplace();
    server->holder.reset();
    server->holder = gdi::LoadRasterPicture(path.string());
    return server->holder ? &*server->holder : nullptr;
}

bool serverFormLoaded() {
    return objectServer().has_value();
}

void unloadObjectServer() {
    objectServer().reset();
}

} // namespace docuvel
