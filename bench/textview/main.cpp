// Opens a Shift-JIS file in the prototype view and reports on standard error when
// the first text is painted, when the file is in, the longest the event loop went
// without turning while it came in, and how long each typed key took to be painted.

#include "bench/textview/FileLoader.h"
#include "bench/textview/TextView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: textview_proto FILE\n");
    return 2;
  }
  FileLoader loader;
  if (!loader.Open(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  TextBuffer& buffer = loader.Buffer();
  TextView view(buffer);
  QObject::connect(&loader, &FileLoader::Grown, &view, &TextView::TextGrown);
  // A timer due every 10 ms from the first paint on shows how long the loop was
  // kept from input while the file came in.
  QTimer probe;
  QElapsedTimer sinceTick;
  qint64 longestGap = 0;
  bool loaded = false;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    longestGap = std::max(longestGap, sinceTick.restart());
  });
  QObject::connect(&view, &TextView::FirstPainted, [&] {
    std::fprintf(stderr, "first paint %lld ms\n", clock.elapsed());
    if (loaded) return;
    probe.start(10);
    sinceTick.start();
  });
  QObject::connect(&loader, &FileLoader::Finished, [&] {
    loaded = true;
    probe.stop();
    std::fprintf(stderr, "loaded %lld ms, %d paragraphs, longest event loop gap %lld ms\n",
                 clock.elapsed(), buffer.ParagraphCount(), longestGap);
  });
  view.setWindowTitle(QString::fromLocal8Bit(argv[1]));
  view.resize(800, 600);
  loader.Start();
  view.show();
  return app.exec();
}
