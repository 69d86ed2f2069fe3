#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

struct ComPortSettings;

// One serial code of a port: its field, how operators read it, and the values
// it may take. The names are the ones the channel's ports table shows.
struct PortCode {
    QString field;
    QString label;
    int ComPortSettings::*member;
    QMap<int, QString> names; // the values the port dialog offers, as it names them
};

// The five codes in the order of the port entry.
const QList<PortCode> &portCodes();

QString portCodeText(const PortCode &code, int value);
// The five codes of a port as operators read them, "label: value" apart by commas.
QString portCodesText(const ComPortSettings &port);

// One message per code of the port that holds a value its field may not take,
// each naming the field ("поле parity: ...").
QStringList portCodeErrors(const ComPortSettings &port);

// Empty when the block size lies in the channel page's range, otherwise a
// message naming the field.
QString blockSizeError(int blockSize);
