// fuzz-links: kelvo_controls
// Feeds arbitrary bytes, read as a property store, to the 3-D frame: loading, painting at a size taken
// from the input and saving must neither crash nor touch memory they should not, whatever the stored
// values (wrong types, out-of-range styles, huge radii, long captions), and a save writes every key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "FuzzApplication.h"
#include "controls/frame/FrameProperties.h"
#include "controls/frame/sknFrame3D.h"
#include "platform/host/HostContext.h"
#include "platform/host/PictureLoader.h"
#include "platform/host/PropertyCodec.h"

namespace {

using namespace kelvo;

class SilentMessages final : public host::MessageBoxService {
public:
    void ShowCritical(const QString&, const QString&) override {}
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return StartFuzzApplication("FuzzFrameProperties");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static host::HostContext host;
    static host::NoPictureLoader pictures;
    static host::PropertyCodec codec(pictures);
    static QTemporaryDir folder;
    static SilentMessages messages;
    // The log keeps itself under its size bound, so a long run does not fill the disk.
    static controls::ErrorLog log(folder.filePath(QStringLiteral("ErrorLog.txt")), messages, {});
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject()) {
        return 0;
    }
    host::PropertyBag bag;
    codec.ReadBag(document.object(), bag);
    controls::sknFrame3D frame(host, &log);
    // Zero-sized and small frames alike; the size comes from the input so each is reached.
    frame.resize(int(size % 301), int(size / 3 % 201));
    frame.LoadStored(bag);
    frame.DrawGradiant();
    host::PropertyBag saved;
    frame.Save(saved);
    if (saved.Count() != controls::sknFrame3D::Properties().Keys().size()) {
        std::abort();
    }
    return 0;
}
