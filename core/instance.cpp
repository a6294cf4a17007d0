#include "core/instance.h"

#include "core/datetime.h"

namespace morna {

namespace {
constexpr unsigned kWriteByGroupOrOthers = 0022;
}  // namespace

PlaceCheck CheckFolder(const platform::FileInfo& info, std::int64_t user) {
  if (info.kind == platform::Kind::None) return PlaceCheck::Missing;
  if (info.owner != user) return PlaceCheck::Foreign;
  if (info.kind != platform::Kind::Directory) return PlaceCheck::Unsafe;
  if ((info.mode & kWriteByGroupOrOthers) != 0) return PlaceCheck::Unsafe;
  return PlaceCheck::Ours;
}

PlaceCheck CheckSocketFile(const platform::FileInfo& info, std::int64_t user) {
  if (info.kind == platform::Kind::None) return PlaceCheck::Missing;
  if (info.owner != user) return PlaceCheck::Foreign;
  if (info.kind != platform::Kind::Other) return PlaceCheck::Unsafe;
  return PlaceCheck::Ours;
}

std::string PrivateTempFolderName(std::int64_t user) {
  return "moranote-" + std::to_string(user);
}

ListenPlace FindListenPlace(const std::string& runtimeDir, const std::string& tempDir) {
  const std::int64_t user = platform::CurrentUserId();
  if (!runtimeDir.empty() &&
      CheckFolder(platform::Inspect(runtimeDir, false), user) == PlaceCheck::Ours)
    return {ListenPlace::Status::Ready, runtimeDir};
  ListenPlace place;
  place.folder = tempDir + "/" + PrivateTempFolderName(user);
  // Made when missing; whatever stands there is judged as lstat sees it, so
  // that a folder or link put there by another account is never taken.
  platform::MakePrivateFolder(place.folder);
  switch (CheckFolder(platform::Inspect(place.folder, false), user)) {
    case PlaceCheck::Ours:
      place.status = ListenPlace::Status::Ready;
      break;
    case PlaceCheck::Foreign:
      place.status = ListenPlace::Status::HeldByAnother;
      break;
    case PlaceCheck::Missing:
    case PlaceCheck::Unsafe:
      place.status = ListenPlace::Status::Unusable;
      break;
  }
  return place;
}

InstanceRequest ParseRequest(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const std::size_t blank = line.find(' ');
  const std::string_view word = line.substr(0, blank);
  InstanceRequest request;
  if (blank != std::string_view::npos) request.argument = std::string(line.substr(blank + 1));
  if (word == "show" && request.argument.empty()) request.kind = InstanceRequest::Kind::Show;
  if (word == "command" && !request.argument.empty()) request.kind = InstanceRequest::Kind::Command;
  return request;
}

std::string ShowRequestLine() { return "show\n"; }

std::string CommandRequestLine(std::string_view payload) {
  return "command " + HexOf(payload) + "\n";
}

std::string CommandReplyLine(const CommandReply& reply) {
  return "reply " + std::to_string(reply.exitCode) + " " + HexOf(reply.out) + " " +
         HexOf(reply.err) + "\n";
}

std::optional<CommandReply> ParseCommandReply(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  constexpr std::string_view kWord = "reply ";
  if (!line.starts_with(kWord)) return std::nullopt;
  line.remove_prefix(kWord.size());
  const std::size_t first = line.find(' ');
  const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const std::optional<int> code = ParseInt(line.substr(0, first));
  std::optional<std::string> out = FromHex(line.substr(first + 1, second - first - 1));
  std::optional<std::string> err = FromHex(line.substr(second + 1));
  if (!code || !out || !err) return std::nullopt;
  return CommandReply{*code, std::move(*out), std::move(*err)};
}

std::string HexOf(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

std::optional<std::string> FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = digit(hex[i]), low = digit(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

RequestReader::State RequestReader::Take(std::string_view bytes) {
  if (state_ != State::NeedMore) return state_;
  const std::size_t end = bytes.find('\n');
  const std::string_view part = bytes.substr(0, end);
  if (part.find('\0') != std::string_view::npos ||
      line_.size() + part.size() + 1 > kMaxRequestBytes)
    return state_ = State::Refused;
  line_.append(part);
  if (end != std::string_view::npos) state_ = State::Done;
  return state_;
}

}  // namespace morna
