#include "EmbeddedResources.h"

#include "Container.h"

#include <QByteArray>
#include <QResource>
#include <QString>

#include <map>
#include <mutex>
#include <string>

static void InitScriptureResources() {
    Q_INIT_RESOURCE(scripture);
}

namespace orvane {

void RegisterEmbeddedResources() {
    InitScriptureResources();
    SetResourceProvider([](std::string_view name) -> std::optional<std::string_view> {
        const QResource resource(QStringLiteral(":/scripture/") +
                                 QString::fromLatin1(name.data(), qsizetype(name.size())));
        if (!resource.isValid()) return std::nullopt;
        if (resource.compressionAlgorithm() == QResource::NoCompression)
            return std::string_view(reinterpret_cast<const char*>(resource.data()),
                                    size_t(resource.size()));
        // Stored compressed after all: keep one expanded copy for the rest of the run.
        static std::mutex lock;
        static std::map<std::string, QByteArray, std::less<>> expanded;
        const std::lock_guard guard(lock);
        auto it = expanded.find(name);
        if (it == expanded.end())
            it = expanded.emplace(std::string(name), resource.uncompressedData()).first;
        return std::string_view(it->second.constData(), size_t(it->second.size()));
    });
}

} // namespace orvane
