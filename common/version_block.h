#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tandrel {

// Queries into a version block in the Windows binary layout (VS_VERSIONINFO),
// the way the platform's version query answers them: "\" is the fixed
// record, "\VarFileInfo\Translation" the translation table,
// "\StringFileInfo\040904B0\CompanyName" a text. Names compare without
// regard to case. Every length and offset is checked against the block, so
// a damaged block gives "not found", never a read outside it.
class VersionBlock {
public:
    explicit VersionBlock(QByteArray bytes);

    // The raw value bytes of the block at `path`.
    std::optional<QByteArray> value(const QString& path) const;
    // The text value at `path`, up to its terminating zero.
    std::optional<QString> text(const QString& path) const;

private:
    struct Node {
        qsizetype valueOffset = 0;
        qsizetype valueSize = 0;
        qsizetype childrenOffset = 0;
        qsizetype end = 0;
        bool isText = false;
        QString key;
    };

    std::optional<Node> nodeAt(qsizetype offset, qsizetype limit) const;
    std::optional<Node> find(const QString& path) const;
    quint16 get16(qsizetype at) const;

    QByteArray bytes_;
};

} // namespace tandrel
