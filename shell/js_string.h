#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

// The text as a JavaScript string literal, quotes and escapes included, to
// put into a script run in the view.
inline QString jsString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}
