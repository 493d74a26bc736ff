// fuzz-links: kelvo_controls
// Loads the progress bar from an arbitrary property store (a JSON object of typed values, as form files
// hold them) at a size taken from the first bytes, paints it in every style, and checks that what it
// saves reads back to the same store.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include "FuzzApplication.h"
#include "controls/progressbar/sknProgressBar.h"
#include "platform/host/HostContext.h"
#include "platform/host/PictureLoader.h"
#include "platform/host/PropertyCodec.h"

namespace {

using namespace kelvo;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return StartFuzzApplication("FuzzProgressBar");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static host::HostContext host;
    static host::NoPictureLoader pictures;
    static host::PropertyCodec codec(pictures);
    if (size < 2) {
        return 0;
    }
    // Sizes up to 1023 x 63 reach the empty, the tiny and the wide bars without slowing every run.
    const int width = (data[0] << 2 | data[1] >> 6) & 0x3FF;
    const int height = data[1] & 0x3F;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject()) {
        return 0;
    }
    host::PropertyBag bag;
    codec.ReadBag(document.object(), bag);
    controls::sknProgressBar bar(host);
    bar.resize(width, height);
    bar.LoadStored(bag);
    const std::int32_t style = bar.Scrolling();
    for (std::int32_t scrolling = -1; scrolling <= 10; ++scrolling) {
        bar.SetScrolling(scrolling);
    }
    bar.SetScrolling(style);
    host::PropertyBag saved;
    bar.Save(saved);
    controls::sknProgressBar copy(host);
    copy.resize(width, height);
    copy.LoadStored(saved);
    Check(saved.Errors().isEmpty());
    host::PropertyBag again;
    copy.Save(again);
    Check(again == saved);
    bar.Unload();
    copy.Unload();
    return 0;
}
