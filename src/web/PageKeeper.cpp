#include "web/PageKeeper.h"

#include <emscripten/wire.h>

#include "messages/MessageText.h"

using emscripten::val;

namespace rp770::web {

PageKeeper::PageKeeper(val runtime)
    : storage_(std::move(runtime)), keeper_(storage_), present_(storage_.Keeping()) {}

bool PageKeeperStorage::Keeping() const { return runtime_.call<bool>("keeping"); }

Failure PageKeeperStorage::Write(const std::string& name, std::string_view bytes) {
    // The page copies the bytes before this returns: the view is of the engine's memory.
    runtime_.call<void>("keptWrite", name,
                        val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()))));
    return {};
}

Failure PageKeeperStorage::Read(const std::string& name, std::string& bytes, size_t limit) {
    bytes.clear();
    const val kept = runtime_.call<val>("keptRead", name);
    if (kept.isNull() || kept.isUndefined()) return Failure{FailureKind::FileNotFound};
    const size_t length = kept["length"].as<size_t>();
    if (length > limit) return TooLargeFailure(length, limit);
    const std::vector<uint8_t> content = emscripten::convertJSArrayToNumberVector<uint8_t>(kept);
    bytes.assign(content.begin(), content.end());
    return {};
}

Failure PageKeeperStorage::Remove(const std::string& name) {
    runtime_.call<void>("keptRemove", name);
    return {};
}

std::vector<StoredEntry> PageKeeperStorage::Entries() {
    std::vector<StoredEntry> entries;
    const val list = runtime_.call<val>("keptEntries");
    const size_t count = list["length"].as<size_t>();
    for (size_t i = 0; i < count; ++i) {
        const val entry = list[i];
        entries.push_back(StoredEntry{entry["name"].as<std::string>(), static_cast<uint64_t>(entry["size"].as<double>())});
    }
    return entries;
}

std::string PageKeeperStorage::Where(const std::string& name) const {
    return MessageText{MessageId::KeptInBrowser, name}.Render();
}

val PageKeeper::Images() {
    val list = val::array();
    for (const KeptImage& image : keeper_.List()) {
        val o = val::object();
        o.set("id", image.id);
        o.set("time", image.time);
        o.set("model", image.model);
        o.set("atis", image.atis);
        o.set("reason", std::string(KeepReasonName(image.reason)));
        o.set("size", static_cast<double>(image.size));
        list.call<void>("push", o);
    }
    return list;
}

val PageKeeper::PartialsObject(const std::vector<PartialProgramming>& partials) {
    val list = val::array();
    for (const PartialProgramming& p : partials) {
        val o = val::object();
        o.set("port", p.port);
        o.set("file", p.file);
        o.set("time", p.time);
        list.call<void>("push", o);
    }
    return list;
}

}  // namespace rp770::web
