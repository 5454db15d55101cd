#include "TextFormat.h"

#include <vector>

namespace drux {

unsigned long long FormatArg::Magnitude() const {
  if (kind_ == kUnsigned) return u_;
  // Negating in unsigned arithmetic also covers the smallest long long.
  return i_ < 0 ? 0ull - static_cast<unsigned long long>(i_) : static_cast<unsigned long long>(i_);
}

namespace {

struct Spec {
  bool left = false, plus = false, space = false, alt = false, zero = false;
  size_t width = 0;
  bool hasPrecision = false;
  size_t precision = 0;
  bool narrow = false;  // "h": a narrow string for %s, which we never have
  char16_t conversion = 0;
};

// Caps what a language file can make us allocate through a width or precision.
constexpr size_t kMaxField = 4096;

bool ReadNumber(const std::u16string& f, size_t* i, size_t* value) {
  size_t v = 0;
  bool any = false;
  while (*i < f.size() && f[*i] >= u'0' && f[*i] <= u'9') {
    v = v * 10 + size_t(f[*i] - u'0');
    if (v > kMaxField) return false;
    ++*i;
    any = true;
  }
  *value = v;
  return any;
}

// Parses the conversion after a '%' at f[*i]; leaves *i after its conversion letter.
bool ParseSpec(const std::u16string& f, size_t* i, Spec* s) {
  for (; *i < f.size(); ++*i) {
    const char16_t c = f[*i];
    if (c == u'-') s->left = true;
    else if (c == u'+') s->plus = true;
    else if (c == u' ') s->space = true;
    else if (c == u'#') s->alt = true;
    else if (c == u'0') s->zero = true;
    else break;
  }
  size_t n = 0;
  if (ReadNumber(f, i, &n)) s->width = n;
  else if (*i < f.size() && f[*i] == u'*') return false;
  if (*i < f.size() && f[*i] == u'.') {
    ++*i;
    s->hasPrecision = true;
    if (*i < f.size() && f[*i] == u'*') return false;
    if (ReadNumber(f, i, &n)) s->precision = n;
    else if (*i < f.size() && f[*i] >= u'0' && f[*i] <= u'9') return false;  // too large
  }
  // Length letters. They never change what is printed: numbers arrive as 64-bit values.
  auto at = [&](const char16_t* word) {
    size_t k = 0;
    while (word[k] && *i + k < f.size() && f[*i + k] == word[k]) ++k;
    if (word[k]) return false;
    *i += k;
    return true;
  };
  if (at(u"I64") || at(u"I32") || at(u"ll") || at(u"hh") || at(u"l") || at(u"w") ||
      at(u"z") || at(u"j") || at(u"t")) {
  } else if (at(u"h")) {
    s->narrow = true;
  }
  if (*i >= f.size()) return false;
  s->conversion = f[(*i)++];
  return true;
}

void Pad(std::u16string* out, size_t n, char16_t c) { out->append(n, c); }

void EmitField(std::u16string* out, const Spec& s, const std::u16string& prefix,
               const std::u16string& body, bool zeroPadAllowed) {
  const size_t len = prefix.size() + body.size();
  const size_t pad = s.width > len ? s.width - len : 0;
  if (s.left) {
    *out += prefix;
    *out += body;
    Pad(out, pad, u' ');
  } else if (s.zero && zeroPadAllowed) {
    *out += prefix;
    Pad(out, pad, u'0');
    *out += body;
  } else {
    Pad(out, pad, u' ');
    *out += prefix;
    *out += body;
  }
}

bool FormatNumber(std::u16string* out, const Spec& s, const FormatArg& a) {
  if (a.IsText()) return false;
  unsigned base = 10;
  bool isSigned = false;
  switch (s.conversion) {
    case u'd': case u'i': isSigned = true; break;
    case u'u': break;
    case u'x': case u'X': base = 16; break;
    case u'o': base = 8; break;
    default: return false;
  }
  const char16_t* digits = s.conversion == u'X' ? u"0123456789ABCDEF" : u"0123456789abcdef";
  // A negative value for an unsigned conversion prints its 64-bit two's complement.
  unsigned long long v = a.Magnitude();
  bool negative = a.IsNegative();
  if (!isSigned && negative) {
    v = 0ull - v;
    negative = false;
  }
  std::u16string body;
  for (unsigned long long x = v; x; x /= base) body.insert(body.begin(), digits[x % base]);
  if (s.hasPrecision) {
    if (body.size() < s.precision) body.insert(0, s.precision - body.size(), u'0');
  } else if (body.empty()) {
    body = u"0";
  }
  std::u16string prefix;
  if (isSigned) {
    if (negative) prefix = u"-";
    else if (s.plus) prefix = u"+";
    else if (s.space) prefix = u" ";
  }
  if (s.alt && v != 0 && base == 16) prefix = s.conversion == u'X' ? u"0X" : u"0x";
  if (s.alt && base == 8 && (body.empty() || body[0] != u'0')) body.insert(0, 1, u'0');
  EmitField(out, s, prefix, body, !s.hasPrecision);
  return true;
}

}  // namespace

bool FormatText(const std::u16string& fmt, std::initializer_list<FormatArg> args,
                std::u16string* out) {
  std::u16string result;
  const FormatArg* next = args.begin();
  size_t i = 0;
  while (i < fmt.size()) {
    const char16_t c = fmt[i++];
    if (c != u'%') {
      result += c;
      continue;
    }
    if (i < fmt.size() && fmt[i] == u'%') {
      result += u'%';
      ++i;
      continue;
    }
    Spec s;
    if (!ParseSpec(fmt, &i, &s)) return false;
    if (next == args.end()) return false;
    const FormatArg& a = *next++;
    if (s.conversion == u's') {
      if (!a.IsText() || s.narrow) return false;
      const std::u16string& t = a.Text();
      EmitField(&result, s, std::u16string(),
                s.hasPrecision && s.precision < t.size() ? t.substr(0, s.precision) : t, false);
    } else if (!FormatNumber(&result, s, a)) {
      return false;
    }
  }
  *out = std::move(result);
  return true;
}

std::u16string FormatTextOr(const std::u16string& fmt, const std::u16string& fallback,
                            std::initializer_list<FormatArg> args) {
  std::u16string out;
  if (FormatText(fmt, args, &out) || FormatText(fallback, args, &out)) return out;
  return fallback;
}

}  // namespace drux
