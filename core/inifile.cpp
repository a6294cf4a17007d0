#include "core/inifile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/sjis.h"

namespace morna {

namespace {

namespace fs = std::filesystem;

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

std::string SystemMessage(int err) {
  std::string text = std::strerror(err);
  while (!text.empty()) {
    const auto c = static_cast<unsigned char>(text.back());
    if (c == ' ' || c == '.' || c < 0x20 || c == 0x7F) {
      text.pop_back();
    } else {
      break;
    }
  }
  return text;
}

bool ReadWholeFile(const std::string& path, std::string& out) {
  out.clear();
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    if (errno == 0) errno = EIO;
    return false;
  }
  char buf[65536];
  bool ok = true;
  for (;;) {
    const std::size_t n = std::fread(buf, 1, sizeof buf, f);
    out.append(buf, n);
    if (n < sizeof buf) {
      if (std::ferror(f)) ok = false;
      break;
    }
  }
  const int err = errno;
  std::fclose(f);
  if (!ok) errno = err != 0 ? err : EIO;
  return ok;
}

bool ReplaceFile(const std::string& path, std::string_view data, std::string* error) {
  auto fail = [error](int err) {
    if (error != nullptr) *error = SystemMessage(err != 0 ? err : EIO);
    return false;
  };
  fs::path target(path);
  std::error_code ec;
  // Write through a symbolic link to the file it names, not over the link.
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  const fs::path temp = fs::path(target.string() + ".tmp~");

  errno = 0;
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) return fail(errno);
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = std::fflush(f) == 0 && ok;
  int err = errno;
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    fs::remove(temp, ec);
    return fail(err);
  }
  // The new file keeps the permissions of the one it replaces.
  const fs::file_status old = fs::status(target, ec);
  if (!ec && fs::exists(old)) fs::permissions(temp, old.permissions(), ec);

  fs::rename(temp, target, ec);
  if (ec) {
    const int renameErr = ec.value();
    fs::remove(temp, ec);
    return fail(renameErr);
  }
  return true;
}

IniFile::LoadStatus IniFile::Load(const std::string& path) {
  path_ = path;
  lines_.clear();
  readFailed_ = false;
  changed_ = false;
  std::string data;
  if (!ReadWholeFile(path, data)) {
    if (errno == ENOENT) return LoadStatus::Missing;
    readFailed_ = true;
    readErrno_ = errno;
    return LoadStatus::Failed;
  }
  // A line ends at CR LF, LF or a lone CR; each line keeps its own end.
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < data.size()) {
    const char c = data[i];
    if (c == '\n' || c == '\r') {
      std::size_t endLen = 1;
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') endLen = 2;
      lines_.push_back({data.substr(start, i - start), data.substr(i, endLen)});
      i += endLen;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < data.size()) lines_.push_back({data.substr(start), ""});
  return LoadStatus::Ok;
}

std::optional<IniFile::Section> IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i].text);
    if (!name || !NamesEqual(*name, section)) continue;
    Section s{i, i, lines_.size()};
    for (std::size_t j = i + 1; j < lines_.size(); ++j) {
      if (SectionName(lines_[j].text)) {
        s.end = j;
        break;
      }
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

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
  const auto s = FindSection(section);
  if (!s) return std::nullopt;
  const auto j = FindKey(*s, key);
  if (!j) return std::nullopt;
  const std::string_view line = lines_[*j].text;
  const auto k = ParseKeyLine(line);
  return std::string(CapSjisBytes(Trim(line.substr(k->valueStart)), kIniMaxValueBytes));
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
    std::string& line = lines_[*j].text;
    const auto k = ParseKeyLine(line);
    // An unchanged value leaves the line exactly as it is.
    if (Trim(std::string_view(line).substr(k->valueStart)) == v) return;
    line = line.substr(0, k->valueStart) + v;
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

bool IniFile::Save(std::string* error) {
  if (!changed_) return true;
  if (readFailed_) {
    // The file is there but could not be read: replacing it would lose
    // whatever else it holds.
    if (error != nullptr) *error = SystemMessage(readErrno_);
    return false;
  }
  if (!ReplaceFile(path_, Contents(), error)) return false;
  changed_ = false;
  return true;
}

}  // namespace morna
