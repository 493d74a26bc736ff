#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "PictureObject.h"

namespace kelvo::host {

// Turns the picture references of a form file into pictures. The reader of form files goes through it,
// so that tests and the fuzzer can decide which files may be opened.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // The path as the form file writes it; the picture returned keeps that spelling as its source.
    virtual PictureObject Load(const QString& path, std::optional<PictureType> type, QString* error) = 0;
    virtual PictureObject Decode(const QByteArray& data, PictureType type, QString* error) = 0;
};

// Reads Qt resources, absolute paths, and paths relative to a base folder (the folder of the form file).
class FilePictureLoader : public PictureLoader {
public:
    explicit FilePictureLoader(QString baseFolder = QString());
    PictureObject Load(const QString& path, std::optional<PictureType> type, QString* error) override;
    PictureObject Decode(const QByteArray& data, PictureType type, QString* error) override;

private:
    QString baseFolder_;
};

// Opens nothing: every reference gives an empty picture and an error (used where input is untrusted).
class NoPictureLoader : public PictureLoader {
public:
    PictureObject Load(const QString& path, std::optional<PictureType> type, QString* error) override;
    PictureObject Decode(const QByteArray& data, PictureType type, QString* error) override;
};

} // namespace kelvo::host
