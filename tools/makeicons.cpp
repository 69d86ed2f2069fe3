// Draws the six button and help pictures of the channel's pages into the
// directory named on the command line: makeicons comchannel/images
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <functional>

namespace {

const int iconSize = 24;

QPen outline(const QColor &color, qreal width = 1.2)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawAdd(QPainter &painter)
{
    QPainterPath plus;
    plus.setFillRule(Qt::WindingFill);
    plus.addRoundedRect(QRectF(9, 3, 6, 18), 1.5, 1.5);
    plus.addRoundedRect(QRectF(3, 9, 18, 6), 1.5, 1.5);
    plus = plus.simplified();
    painter.setPen(outline(QColor(0x1e, 0x6b, 0x25)));
    painter.setBrush(QColor(0x3c, 0xb0, 0x44));
    painter.drawPath(plus);
}

void drawEdit(QPainter &painter)
{
    painter.translate(12, 12);
    painter.rotate(-45);
    painter.setPen(outline(QColor(0x5a, 0x40, 0x10)));

    painter.setBrush(QColor(0xf0, 0x90, 0xa0));
    painter.drawRoundedRect(QRectF(6, -3.5, 4, 7), 1.2, 1.2);
    painter.setBrush(QColor(0xf5, 0xb8, 0x2e));
    painter.drawRect(QRectF(-5, -3.5, 11, 7));

    QPainterPath tip;
    tip.moveTo(-5, -3.5);
    tip.lineTo(-11, 0);
    tip.lineTo(-5, 3.5);
    tip.closeSubpath();
    painter.setBrush(QColor(0xf1, 0xd9, 0xb0));
    painter.drawPath(tip);

    QPainterPath lead;
    lead.moveTo(-9, -1.2);
    lead.lineTo(-11, 0);
    lead.lineTo(-9, 1.2);
    lead.closeSubpath();
    painter.setBrush(QColor(0x30, 0x30, 0x30));
    painter.drawPath(lead);
}

void drawDelete(QPainter &painter)
{
    const QColor line(0x55, 0x22, 0x22);
    painter.setPen(outline(line));
    painter.setBrush(QColor(0xd9, 0x3b, 0x3b));

    painter.drawRoundedRect(QRectF(9.5, 2.5, 5, 3), 1, 1);
    painter.drawRoundedRect(QRectF(4, 4.5, 16, 3), 1, 1);

    QPainterPath body;
    body.moveTo(5.5, 8.5);
    body.lineTo(18.5, 8.5);
    body.lineTo(17, 21.5);
    body.lineTo(7, 21.5);
    body.closeSubpath();
    painter.drawPath(body);

    painter.setPen(outline(QColor(0xf6, 0xd0, 0xd0), 1.4));
    for (qreal x : {9.5, 12.0, 14.5})
        painter.drawLine(QPointF(x, 11), QPointF(x, 19));
}

void drawApply(QPainter &painter)
{
    QPainterPath check;
    check.moveTo(4, 12.5);
    check.lineTo(9.5, 18);
    check.lineTo(20, 6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(outline(QColor(0x1e, 0x6b, 0x25), 5.5));
    painter.drawPath(check);
    painter.setPen(outline(QColor(0x3c, 0xb0, 0x44), 3.2));
    painter.drawPath(check);
}

void drawCancel(QPainter &painter)
{
    painter.setPen(outline(QColor(0x80, 0x14, 0x14)));
    painter.setBrush(QColor(0xdc, 0x32, 0x32));
    painter.drawEllipse(QRectF(2, 2, 20, 20));

    painter.setPen(outline(Qt::white, 2.6));
    painter.drawLine(QPointF(8, 8), QPointF(16, 16));
    painter.drawLine(QPointF(16, 8), QPointF(8, 16));
}

void drawQuestion(QPainter &painter)
{
    painter.setPen(outline(QColor(0x12, 0x3f, 0x8c)));
    painter.setBrush(QColor(0x2f, 0x74, 0xd6));
    painter.drawEllipse(QRectF(2, 2, 20, 20));

    // The mark is drawn, not typed, so that it does not depend on the fonts
    // of the machine that runs this tool.
    QPainterPath hook;
    hook.arcMoveTo(QRectF(8.5, 5.5, 7, 7), 160);
    hook.arcTo(QRectF(8.5, 5.5, 7, 7), 160, -250);
    hook.lineTo(12, 14.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(outline(Qt::white, 2.4));
    painter.drawPath(hook);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12, 18), 1.5, 1.5);
}

bool writeIcon(const QDir &dir, const QString &name, const std::function<void(QPainter &)> &draw)
{
    QImage image(iconSize, iconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return image.save(dir.filePath(name + QStringLiteral(".png")), "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: makeicons OUTPUT_DIRECTORY\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists()) {
        err << "makeicons: no such directory: " << dir.path() << '\n';
        return 1;
    }

    const QList<QPair<QString, std::function<void(QPainter &)>>> icons = {
        {QStringLiteral("add"), drawAdd},       {QStringLiteral("edit"), drawEdit},
        {QStringLiteral("delete"), drawDelete}, {QStringLiteral("apply"), drawApply},
        {QStringLiteral("cancel"), drawCancel}, {QStringLiteral("question"), drawQuestion},
    };
    for (const auto &icon : icons) {
        if (!writeIcon(dir, icon.first, icon.second)) {
            err << "makeicons: cannot write " << icon.first << ".png in " << dir.path() << '\n';
            return 1;
        }
    }
    return 0;
}
