// A small in-memory INF reader for the portable installation rules. It reads a
// subset of the INF syntax: "[section]", "key = f1, f2" and "f1, f2" lines, ";"
// comments. Section and key names match without case, like SetupAPI, and like it
// a line "key =" has one empty field.
#pragma once

#include "DriverInstall.h"

#include <map>
#include <sstream>

namespace fake {

using twk::setup::Text;

inline Text Upper(Text s) {
  for (auto& c : s)
    if (c >= u'a' && c <= u'z') c = char16_t(c - 0x20);
  return s;
}
inline Text Trim(const Text& s) {
  size_t b = s.find_first_not_of(u" \t"), e = s.find_last_not_of(u" \t");
  return b == Text::npos ? Text() : s.substr(b, e - b + 1);
}

struct Line {
  Text key;
  std::vector<Text> fields;
  Text text;  // the fields as written, without the key
};

class Inf : public twk::setup::InfPackage {
public:
  explicit Inf(const std::string& source) {
    std::istringstream in(source);
    std::string raw;
    Text section;
    while (std::getline(in, raw)) {
      Text line(raw.begin(), raw.end());
      line = Trim(line.substr(0, line.find(u';')));
      if (line.empty()) continue;
      if (line[0] == u'[') {
        section = Upper(line.substr(1, line.find(u']') - 1));
        sections_[section];
        continue;
      }
      Line l;
      size_t eq = line.find(u'=');
      if (eq != Text::npos) {
        l.key = Trim(line.substr(0, eq));
        line = Trim(line.substr(eq + 1));
      }
      l.text = line;
      size_t start = 0;
      for (;;) {
        size_t comma = line.find(u',', start);
        l.fields.push_back(Trim(line.substr(start, comma == Text::npos ? Text::npos : comma - start)));
        if (comma == Text::npos) break;
        start = comma + 1;
      }
      sections_[section].push_back(l);
    }
  }
  const Line* Find(const Text& section, const Text& key) const {
    auto s = sections_.find(Upper(section));
    if (s == sections_.end()) return nullptr;
    for (const Line& l : s->second)
      if (Upper(l.key) == Upper(key)) return &l;
    return nullptr;
  }
  Text ReadField(const Text& section, const Text& key, unsigned index) override {
    const Line* l = Find(section, key);
    return l && index >= 1 && index <= l->fields.size() ? l->fields[index - 1] : Text();
  }
  bool HasLine(const Text& section, const Text& key) override { return Find(section, key) != nullptr; }
  std::vector<Text> LineFields(const Text& section, const Text& key) override {
    const Line* l = Find(section, key);
    return l ? l->fields : std::vector<Text>();
  }
  bool HasLines(const Text& section) override {
    auto s = sections_.find(Upper(section));
    return s != sections_.end() && !s->second.empty();
  }
  std::vector<Text> LineTexts(const Text& section) override {
    std::vector<Text> out;
    auto s = sections_.find(Upper(section));
    if (s != sections_.end())
      for (const Line& l : s->second) out.push_back(l.text);
    return out;
  }
  std::vector<Text> LineFirstFields(const Text& section) override {
    std::vector<Text> out;
    auto s = sections_.find(Upper(section));
    if (s != sections_.end())
      for (const Line& l : s->second) out.push_back(l.fields.empty() ? Text() : l.fields[0]);
    return out;
  }
  Text path;

private:
  std::map<Text, std::vector<Line>> sections_;
};

// The setup calls, recorded. INF files are looked up by path in `files`.
class Host : public twk::setup::SetupHost {
public:
  std::map<Text, std::string> files;
  std::map<Text, uint32_t> openErrors;        // path -> error of SetupOpenInfFileW
  std::map<Text, uint32_t> installErrors;     // section -> error of queue/commit
  uint32_t addDriverError = 0;
  std::vector<Text> log;                       // "open x", "dirid inf id dir", "install inf section root addreg"
  std::vector<twk::setup::DriverRecord> registered;
  Text driverDir = u"C:\\spool\\drivers\\x64";

  std::unique_ptr<twk::setup::InfPackage> OpenInf(const Text& path, uint32_t& error) override {
    log.push_back(u"open " + path);
    auto e = openErrors.find(path);
    auto f = files.find(path);
    if (e != openErrors.end() || f == files.end()) {
      error = e != openErrors.end() ? e->second : 2;
      return nullptr;
    }
    auto inf = std::make_unique<Inf>(f->second);
    inf->path = path;
    return inf;
  }
  Text DriverDirectory() override { return driverDir; }
  Text PrintProcessorDirectory() override { return u"C:\\spool\\prtprocs\\x64"; }
  Text ColorProfileDirectory() override { return u"C:\\spool\\drivers\\color"; }
  void SetDirectoryId(twk::setup::InfPackage& inf, uint32_t dirId, const Text& dir) override {
    log.push_back(u"dirid " + static_cast<Inf&>(inf).path + u" " + twk::setup::ToText(dirId) + u" " + dir);
  }
  uint32_t InstallSectionFiles(twk::setup::InfPackage& inf, const Text& section, const Text* root,
                               bool addReg) override {
    log.push_back(u"install " + static_cast<Inf&>(inf).path + u" " + section + u" root=" +
                  (root ? *root : Text(u"(none)")) + (addReg ? u" addreg" : u""));
    auto e = installErrors.find(section);
    return e == installErrors.end() ? 0 : e->second;
  }
  uint32_t RegisterDriver(const twk::setup::DriverRecord& record) override {
    registered.push_back(record);
    return addDriverError;
  }
  size_t Count(const Text& prefix) const {
    size_t n = 0;
    for (const Text& l : log) n += l.rfind(prefix, 0) == 0;
    return n;
  }
};

}  // namespace fake
