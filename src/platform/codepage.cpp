#include "platform/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace plat {
namespace {

// Converts one character at a time when a whole-buffer conversion meets an unmappable character.
QByteArray convert(const char* to, const char* from, const QByteArray& in, int unitSize,
                   const QByteArray& replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert code page 874");
  QByteArray out;
  out.reserve(in.size() * 2 + 8);
  const char* src = in.constData();
  size_t left = static_cast<size_t>(in.size());
  char buf[256];
  while (left > 0) {
    char* dst = buf;
    size_t room = sizeof buf;
    const size_t r = iconv(cd, const_cast<char**>(&src), &left, &dst, &room);
    out.append(buf, static_cast<int>(dst - buf));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // Unmappable or invalid: skip one unit and put the replacement in its place.
      const size_t skip = std::min<size_t>(static_cast<size_t>(unitSize), left);
      src += skip;
      left -= skip;
      out.append(replacement);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

QByteArray toCp874(const QString& text) {
  const QByteArray ucs(reinterpret_cast<const char*>(text.toStdU32String().data()),
                       static_cast<int>(text.toStdU32String().size() * 4));
  return convert("CP874", "UTF-32LE", ucs, 4, "?");
}

QString fromCp874(const QByteArray& bytes) {
  const QByteArray utf8 = convert("UTF-8", "CP874", bytes, 1, "?");
  return QString::fromUtf8(utf8);
}

}  // namespace plat
