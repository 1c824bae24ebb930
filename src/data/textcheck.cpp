#include "textcheck.h"

#include "dberror.h"

namespace wb {

void refuseUnstorableText(const QString& text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n') || u == 0x7f)
            throw DbError(
                QStringLiteral("The text holds a control character that cannot be stored (only tabs "
                               "and line breaks may be typed): remove it and try again."),
                DbError::Kind::Refused);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            throw DbError(QStringLiteral("The text holds a broken character that cannot be stored: remove it "
                                         "and try again."),
                          DbError::Kind::Refused);
    }
}

void refuseUnstorableText(const QVariantList& values) {
    for (const QVariant& v : values)
        if (v.typeId() == QMetaType::QString)
            refuseUnstorableText(v.toString());
}

int characterCount(const QString& text) {
    int count = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

} // namespace wb
