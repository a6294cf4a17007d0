#include "core/instance.h"

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
  return request;
}

std::string ShowRequestLine() { return "show\n"; }

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
