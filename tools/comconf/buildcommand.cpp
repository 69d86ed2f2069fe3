#include "buildcommand.h"

#include "comconftext.h"
#include "console.h"
#include "recordfile.h"
#include "recordjson.h"

#include "common/globalsaving.h"

#include <QFileInfo>

namespace {

// The problems that kept the record from being written; empty on success.
QStringList writeRecord(const QString &jsonPath, const QString &outputPath)
{
    QByteArray json;
    QString error;
    if (!readWholeFile(jsonPath, &json, &error))
        return {error};
    QStringList errors;
    const QByteArray record = recordFromJson(json, &errors);
    if (!errors.isEmpty())
        return errors;
    error = Global::safeSaving(QFileInfo(outputPath).absoluteFilePath(), record);
    if (!error.isEmpty())
        return {error};
    return {};
}

} // namespace

int buildRecord(const QString &jsonPath, const QString &outputPath)
{
    const QStringList errors = writeRecord(jsonPath, outputPath);
    for (const QString &error : errors)
        printErrorLine(Comconf::tr("ОШИБКА: %1").arg(error));
    if (!errors.isEmpty())
        return 1;
    printLine(Comconf::tr("OK: запись сохранена в %1").arg(outputPath));
    return 0;
}
