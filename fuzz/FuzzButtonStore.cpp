// fuzz-links: kelvo_controls
// Feeds arbitrary bytes, read as a property store, to the skinned button: any stored value of any type
// or width must load, lay out, paint in every look and save without crashing, and what it saves must
// load and save again to the same store.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include "FuzzApplication.h"
#include "controls/button/sknButton.h"
#include "platform/host/HostContext.h"
#include "platform/host/PictureLoader.h"
#include "platform/host/PropertyBag.h"
#include "platform/host/PropertyCodec.h"

namespace {

using namespace kelvo;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void FuzzButtonStore(const QByteArray& bytes, host::PropertyCodec& codec, host::HostContext& host) {
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject()) {
        return;
    }
    host::PropertyBag bag;
    codec.ReadBag(document.object(), bag);
    host::PropertyBag saved;
    {
        controls::sknButton button(host);
        // The size rides on the input's length, so tiny, zero and odd sizes all come up.
        const int side = int(bytes.size() % 97);
        button.resize(side * 2, side / 3);
        button.LoadStored(bag);
        button.Refresh();
        button.SetEnabled(!button.Enabled());
        button.SetValue(!button.Value());
        button.Save(saved);
    }
    controls::sknButton again(host);
    again.resize(123, 25);
    again.LoadStored(saved);
    host::PropertyBag savedAgain;
    again.Save(savedAgain);
    Check(savedAgain == saved);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return StartFuzzApplication("FuzzButtonStore");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static host::HostContext host;
    // Untrusted input names files: none is opened.
    static host::NoPictureLoader pictures;
    static host::PropertyCodec codec(pictures);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    FuzzButtonStore(bytes, codec, host);
    return 0;
}
