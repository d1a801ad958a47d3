#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The fields of one line in the comma-text convention: fields are separated by a comma or by
// blanks (codes 1 to 32) alike; "a field" in double quotes may hold blanks and commas, with ""
// for one quote; two commas in a row give an empty field, and so does a comma at the very end.
namespace CommaText {

QList<QByteArray> split(QByteArrayView line);

} // namespace CommaText
