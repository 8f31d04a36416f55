#include "common/version_block.h"

#include <QStringList>

#include <algorithm>

#include <utility>

namespace tandrel {

namespace {

constexpr qsizetype headerSize = 6;
const char* const rootKey = "VS_VERSION_INFO";

qsizetype align4(qsizetype offset) {
    return (offset + 3) & ~qsizetype{3};
}

} // namespace

VersionBlock::VersionBlock(QByteArray bytes) : bytes_(std::move(bytes)) {}

quint16 VersionBlock::get16(qsizetype at) const {
    return static_cast<quint16>(static_cast<quint8>(bytes_[at]) |
                                (static_cast<quint8>(bytes_[at + 1]) << 8));
}

std::optional<VersionBlock::Node> VersionBlock::nodeAt(qsizetype offset, qsizetype limit) const {
    if (offset < 0 || limit - offset < headerSize) {
        return std::nullopt;
    }
    const qsizetype length = get16(offset);
    if (length < headerSize || length > limit - offset) {
        return std::nullopt;
    }
    Node node;
    node.end = offset + length;
    const quint16 valueLength = get16(offset + 2);
    node.isText = get16(offset + 4) == 1;

    qsizetype at = offset + headerSize;
    for (;; at += 2) {
        if (node.end - at < 2) {
            return std::nullopt;
        }
        const quint16 c = get16(at);
        if (c == 0) {
            break;
        }
        node.key.append(QChar(c));
    }
    node.valueOffset = std::min(align4(at + 2), node.end);
    // Text lengths count 16-bit characters; some writers count bytes, so
    // a value running past its block is cut at the block's end.
    const qsizetype wanted = node.isText ? qsizetype{valueLength} * 2 : qsizetype{valueLength};
    node.valueSize = std::min(wanted, node.end - node.valueOffset);
    node.childrenOffset = std::min(align4(node.valueOffset + node.valueSize), node.end);
    return node;
}

std::optional<VersionBlock::Node> VersionBlock::find(const QString& path) const {
    std::optional<Node> node = nodeAt(0, bytes_.size());
    if (!node || node->key != QLatin1String(rootKey)) {
        return std::nullopt;
    }
    const QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        std::optional<Node> match;
        qsizetype at = node->childrenOffset;
        while (!match) {
            const std::optional<Node> child = nodeAt(at, node->end);
            if (!child) {
                return std::nullopt;
            }
            if (child->key.compare(part, Qt::CaseInsensitive) == 0) {
                match = child;
            }
            at = align4(child->end);
        }
        node = match;
    }
    return node;
}

std::optional<QByteArray> VersionBlock::value(const QString& path) const {
    const std::optional<Node> node = find(path);
    if (!node) {
        return std::nullopt;
    }
    return bytes_.mid(node->valueOffset, node->valueSize);
}

std::optional<QString> VersionBlock::text(const QString& path) const {
    const std::optional<Node> node = find(path);
    if (!node) {
        return std::nullopt;
    }
    QString result;
    for (qsizetype at = node->valueOffset; at + 1 < node->valueOffset + node->valueSize; at += 2) {
        const quint16 c = get16(at);
        if (c == 0) {
            break;
        }
        result.append(QChar(c));
    }
    return result;
}

} // namespace tandrel
