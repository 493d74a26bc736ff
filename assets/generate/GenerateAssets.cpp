// Draws every picture of the program and writes it into the folder given as the first argument; with a
// second argument, also writes a mock-up of the main window there (and a twice-enlarged copy beside it).
// The output is the same, byte for byte, on every run: nothing depends on the time, the screen or chance.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

#include <cstdio>

#include "AssetSet.h"
#include "Background.h"
#include "Banner.h"
#include "Icon.h"
#include "Pattern.h"
#include "Preview.h"
#include "StateImages.h"

namespace {

using namespace kelvo::assets;

// 96 dots per inch, stored in the files so every reader sizes the pictures at one pixel per pixel.
constexpr int DotsPerMeter = 3780;

bool Write(QImage image, const QString& path, int quality) {
    image.setDotsPerMeterX(DotsPerMeter);
    image.setDotsPerMeterY(DotsPerMeter);
    QImageWriter writer(path);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        QTextStream(stderr) << "cannot write " << path << ": " << writer.errorString() << '\n';
        return false;
    }
    QTextStream(stdout) << path << " (" << image.width() << " x " << image.height() << ")\n";
    return true;
}

bool WriteText(const QByteArray& text, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
        !file.flush()) {
        QTextStream(stderr) << "cannot write " << path << ": " << file.errorString() << '\n';
        return false;
    }
    QTextStream(stdout) << path << " (" << text.size() << " bytes)\n";
    return true;
}

AssetSet DrawAll() {
    AssetSet a;
    a.background = DrawBackground();
    a.banner = DrawBanner(a.background);
    a.frame = DrawFrame();
    a.icon16 = DrawIcon(16);
    a.icon32 = DrawIcon(32);
    a.icon48 = DrawIcon(48);
    a.icon64 = DrawIcon(64);
    a.icon128 = DrawIcon(128);
    a.icon256 = DrawIcon(256);
    a.optionCleared = DrawOption(false);
    a.optionSet = DrawOption(true);
    a.checkCleared = DrawCheck(false);
    a.checkTicked = DrawCheck(true);
    a.pattern = DrawPattern();
    return a;
}

struct Output {
    QString name;
    QImage AssetSet::*image;
};

const Output Outputs[] = {
    {QStringLiteral("background.jpg"), &AssetSet::background},
    {QStringLiteral("banner.jpg"), &AssetSet::banner},
    {QStringLiteral("frame.png"), &AssetSet::frame},
    {QStringLiteral("icon16.png"), &AssetSet::icon16},
    {QStringLiteral("icon32.png"), &AssetSet::icon32},
    {QStringLiteral("icon48.png"), &AssetSet::icon48},
    {QStringLiteral("icon64.png"), &AssetSet::icon64},
    {QStringLiteral("icon128.png"), &AssetSet::icon128},
    {QStringLiteral("icon256.png"), &AssetSet::icon256},
    {QStringLiteral("option_cleared.png"), &AssetSet::optionCleared},
    {QStringLiteral("option_set.png"), &AssetSet::optionSet},
    {QStringLiteral("check_cleared.png"), &AssetSet::checkCleared},
    {QStringLiteral("check_ticked.png"), &AssetSet::checkTicked},
    {QStringLiteral("pattern.png"), &AssetSet::pattern},
};

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fputs("usage: kelvo_generate_assets <images folder> [preview.png]\n", stderr);
        return 2;
    }
    const QDir folder(args.at(1));
    if (!QDir().mkpath(folder.absolutePath())) {
        QTextStream(stderr) << "cannot create " << folder.absolutePath() << '\n';
        return 1;
    }

    const AssetSet drawn = DrawAll();
    bool ok = true;
    for (const Output& out : Outputs) {
        const bool jpeg = out.name.endsWith(QStringLiteral(".jpg"));
        ok = Write(drawn.*out.image, folder.filePath(out.name), jpeg ? 92 : -1) && ok;
    }
    ok = WriteText(DrawScalableIcon(), folder.filePath(QStringLiteral("icon.svg"))) && ok;
    if (!ok) {
        return 1;
    }

    if (args.size() == 3) {
        // The preview is built from the files as written, so it shows the JPEG pictures as the window will.
        AssetSet stored;
        for (const Output& out : Outputs) {
            stored.*out.image = QImage(folder.filePath(out.name));
        }
        const QImage preview = ComposePreview(stored);
        const QFileInfo target(args.at(2));
        const QString enlarged = target.dir().filePath(target.completeBaseName() + QStringLiteral("-2x.png"));
        ok = Write(preview, target.filePath(), -1) &&
             Write(preview.scaled(preview.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                   enlarged, -1);
    }
    return ok ? 0 : 1;
}
