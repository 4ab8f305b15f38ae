// Renders an SVG picture into a PNG of the given size with an alpha channel:
//     rendersvg IN.svg OUT.png WIDTH HEIGHT
// The build uses it to turn the icon design into the program icon.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "rendersvg: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // The tool runs during the build, where no display may exist.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 5)
        return fail(QStringLiteral("usage: rendersvg IN.svg OUT.png WIDTH HEIGHT"));

    bool widthOk = false;
    bool heightOk = false;
    const int width = args.at(3).toInt(&widthOk);
    const int height = args.at(4).toInt(&heightOk);
    if (!widthOk || !heightOk || width <= 0 || height <= 0)
        return fail(QStringLiteral("width and height must be positive whole numbers"));

    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid())
        return fail(QStringLiteral("cannot read %1").arg(args.at(1)));

    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, width, height));
    }
    if (!image.save(args.at(2), "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(args.at(2)));
    return 0;
}
