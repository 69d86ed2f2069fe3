#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QtGlobal>

// Collects what reaches the toolkit's message channel while it lives, with the kind of each message.
class MessageCollector
{
public:
    using Messages = QList<QPair<QtMsgType, QString>>;
    MessageCollector() { messages.clear(), previous = qInstallMessageHandler(&MessageCollector::collect); }
    ~MessageCollector() { qInstallMessageHandler(previous); }
    inline static Messages messages;

private:
    static void collect(QtMsgType type, QMessageLogContext const &, QString const &text) { messages.append({type, text}); }
    QtMessageHandler previous;
};
