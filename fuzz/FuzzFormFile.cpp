// fuzz-links: kelvo_host
// Feeds arbitrary bytes to the form-file reader and to the property-store reader. What is read must
// write back and read again to the same thing, and building a form from it must neither crash nor
// touch memory it should not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include "FuzzApplication.h"
#include "platform/host/ControlFactory.h"
#include "platform/host/Form.h"
#include "platform/host/FormReader.h"
#include "platform/host/FormWriter.h"
#include "platform/host/HostContext.h"
#include "platform/host/PictureLoader.h"
#include "platform/host/PropertyCodec.h"

namespace {

using namespace kelvo::host;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Reads every stored value with every type, which exercises each conversion and its range checks.
void ReadAllWays(PropertyBag& bag) {
    for (const PropertyBag::Entry& entry : std::vector<PropertyBag::Entry>(bag.Entries())) {
        bag.Read(entry.key, std::int16_t{0});
        bag.Read(entry.key, std::int32_t{0});
        bag.Read(entry.key, false);
        bag.Read(entry.key, 0.0f);
        bag.Read(entry.key, QString());
        bag.Read(entry.key, kelvo::gdi::Colour());
        bag.Read(entry.key, FontObject());
        bag.Read(entry.key, PictureObject());
    }
}

void FuzzPropertyStore(const QByteArray& bytes, PropertyCodec& codec) {
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject()) {
        return;
    }
    PropertyBag bag;
    codec.ReadBag(document.object(), bag);
    ReadAllWays(bag);
    const QJsonObject written = PropertyCodec::WriteBag(bag);
    // Pictures are not opened here, so reading them back reports errors; the values must still agree.
    PropertyBag again;
    codec.ReadBag(written, again);
    Check(PropertyCodec::WriteBag(again) == written);
}

void FuzzFormFile(const QByteArray& bytes, PictureLoader& pictures, HostContext& host,
                  const ControlFactory& factory) {
    FormReader reader(pictures);
    FormReader::Result first = reader.Read(bytes, QStringLiteral("fuzz.json"));
    if (!first.form) {
        Check(!first.errors.isEmpty());
        return;
    }
    const QByteArray written = FormWriter::Write(*first.form);
    FormReader::Result second = reader.Read(written, QStringLiteral("fuzz.json"));
    Check(second.form.has_value());
    Check(FormWriter::ToJson(*second.form) == FormWriter::ToJson(*first.form));
    // Building widgets is slow; small forms are enough to reach every reader of stored properties.
    if (first.form->instances.size() <= 16) {
        Form form(host);
        form.Load(*first.form, factory, QStringLiteral("fuzz.json"));
        form.Save();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return StartFuzzApplication("FuzzFormFile");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static HostContext host;
    static ControlFactory factory;
    // Untrusted input names files: none is opened.
    static NoPictureLoader pictures;
    static PropertyCodec codec(pictures);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    FuzzPropertyStore(bytes, codec);
    FuzzFormFile(bytes, pictures, host, factory);
    return 0;
}
