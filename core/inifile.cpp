#include "core/inifile.h"

#include "core/files.h"
#include "core/sjis.h"

namespace morna {

namespace {


bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal without regard to ASCII case; both bytes of a double-byte character
// must match exactly (its second byte may look like an ASCII letter).
bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto c = static_cast<unsigned char>(a[i]);
    if (IsSjisLeadByte(c) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// The position of `ch` in `s`, skipping the second bytes of double-byte
// characters; npos when absent.
std::size_t FindByte(std::string_view s, char ch) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == ch) return i;
    if (IsSjisLeadByte(static_cast<unsigned char>(s[i]))) ++i;
  }
  return std::string_view::npos;
}

// The name of a section line "[NAME]", or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  const std::size_t close = FindByte(line, ']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, close));
}

struct KeyLine {
  std::string_view name;
  std::size_t valueStart = 0;  // just after the '='
};

// A "Key=Value" line; comment lines (";") and section lines are not keys.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
  const std::size_t eq = line.find('=');  // '=' is never the second byte of a character
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(line.substr(0, eq)), eq + 1};
}

}  // namespace

FileResult IniFile::Load(const std::string& path) {
  // Temporary files of saves killed part-way are cleared up where the file
  // is read; failing that is no reason not to read it.
  RemoveLeftoverTemporaries(path);
  std::string data;
  const platform::ReadResult read = platform::ReadRegularFile(path, data);
  Parse(data);
  path_ = path;
  if (read.missing) return FileResult::NotThere();
  if (read.error != 0) {
    readFailed_ = true;
    readError_ = read.error;
    return FileResult::Fail(SystemMessage(read.error));
  }
  return FileResult::Done();
}

void IniFile::Parse(std::string_view data) {
  path_.clear();
  lines_.clear();
  headersKnown_ = false;
  readFailed_ = false;
  changed_ = false;
  // A line ends at CR LF, LF or a lone CR; each line keeps its own end.
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < data.size()) {
    const char c = data[i];
    if (c == '\n' || c == '\r') {
      std::size_t endLen = 1;
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') endLen = 2;
      lines_.push_back({std::string(data.substr(start, i - start)), std::string(data.substr(i, endLen))});
      i += endLen;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < data.size()) lines_.push_back({std::string(data.substr(start)), ""});
}

std::optional<IniFile::Section> IniFile::FindSection(std::string_view section) const {
  if (!headersKnown_) {
    headers_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (SectionName(lines_[i].text)) headers_.push_back(i);
    }
    headersKnown_ = true;
  }
  for (std::size_t h = 0; h < headers_.size(); ++h) {
    const std::size_t i = headers_[h];
    if (!NamesEqual(*SectionName(lines_[i].text), section)) continue;
    Section s{i, i, h + 1 < headers_.size() ? headers_[h + 1] : lines_.size()};
    for (std::size_t j = i + 1; j < s.end; ++j) {
      if (ParseKeyLine(lines_[j].text)) s.lastKey = j;
    }
    return s;
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const Section& s, std::string_view key) const {
  for (std::size_t j = s.header + 1; j < s.end; ++j) {
    const auto k = ParseKeyLine(lines_[j].text);
    if (k && NamesEqual(k->name, key)) return j;
  }
  return std::nullopt;
}

std::string_view IniFile::RawValue(std::size_t j) const {
  const std::string_view line = lines_[j].text;
  return Trim(line.substr(ParseKeyLine(line)->valueStart));
}

namespace {

// A value as Read() gives it. Blanks left at the end by the cut go too: the
// value must read back the same once it has been written.
std::string_view ReadForm(std::string_view raw) {
  return Trim(CapSjisBytes(raw, kIniMaxValueBytes));
}

}  // namespace

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
  const auto s = FindSection(section);
  if (!s) return std::nullopt;
  const auto j = FindKey(*s, key);
  if (!j) return std::nullopt;
  return std::string(ReadForm(RawValue(*j)));
}

bool IniFile::IsCut(std::string_view section, std::string_view key) const {
  const auto s = FindSection(section);
  if (!s) return false;
  const auto j = FindKey(*s, key);
  return j && RawValue(*j).size() > kIniMaxValueBytes;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  auto v = Read(section, key);
  return v ? std::move(*v) : std::string(fallback);
}

void IniFile::Insert(std::size_t at, std::string text) {
  // The line before gets a line end if it was the unterminated last line.
  if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = "\r\n";
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), "\r\n"});
  headersKnown_ = false;
  changed_ = true;
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string v = WithoutLineBreaks(value);
  const auto s = FindSection(section);
  if (!s) {
    std::string header = "[";
    header.append(section).append("]");
    Insert(lines_.size(), std::move(header));
    Insert(lines_.size(), std::string(key) + "=" + v);
    return;
  }
  if (const auto j = FindKey(*s, key)) {
    // An unchanged value leaves the line exactly as it is; so does the value
    // as it was read when it was cut, so the user's whole value stays.
    const std::string_view raw = RawValue(*j);
    if (raw == v || ReadForm(raw) == v) return;
    std::string& line = lines_[*j].text;
    line = line.substr(0, ParseKeyLine(line)->valueStart) + v;
    changed_ = true;
    return;
  }
  Insert(s->lastKey + 1, std::string(key) + "=" + v);
}

std::string IniFile::Contents() const {
  std::string out;
  for (const Line& l : lines_) {
    out += l.text;
    out += l.end;
  }
  return out;
}

FileResult IniFile::Save() {
  if (!changed_) return FileResult::Done();
  // The file is there but could not be read: replacing it would lose
  // whatever else it holds.
  if (readFailed_) return FileResult::Fail(SystemMessage(readError_));
  FileResult saved = SaveWholeFile(path_, Contents());
  if (saved.ok()) changed_ = false;
  return saved;
}

}  // namespace morna
