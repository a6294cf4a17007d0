// The decisions behind "one running program per file": where a running
// program waits for later starts of itself, which folders and socket files
// it may trust there, and the one-line requests it hears. The sockets
// themselves live in ui/instance; this unit only judges what lstat shows
// and what a peer sent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform.h"

namespace morna {

// What a look at a folder or a socket file (the thing itself, not what a
// link points at) found.
enum class PlaceCheck {
  Missing,  // nothing there
  Ours,     // this user's, and safe to use
  Foreign,  // another account's: never connected to, trusted or removed
  Unsafe,   // this user's, but a link, the wrong kind, or writable by others
};

// A folder to hold the sockets: a real folder owned by `user` that neither
// its group nor others may write to.
PlaceCheck CheckFolder(const platform::FileInfo& info, std::int64_t user);
// A socket file found there: owned by `user`, and neither a link, a folder
// nor a regular file.
PlaceCheck CheckSocketFile(const platform::FileInfo& info, std::int64_t user);

// Where the sockets go.
struct ListenPlace {
  enum class Status {
    Ready,          // `folder` is the user's own
    HeldByAnother,  // another account owns the folder meant for this user
    Unusable,       // the folder cannot be made, or is not safe
  };
  Status status = Status::Unusable;
  std::string folder;  // the folder used, or the one that was refused
};

// The name of the user's own folder in the temporary folder.
std::string PrivateTempFolderName(std::int64_t user);

// The user's runtime folder (`runtimeDir`, from $XDG_RUNTIME_DIR; "" when
// unset) when it is the user's own; else the user's own folder in
// `tempDir`, made (0700) when missing. A runtime folder that is not the
// user's (an environment kept across `su`) is passed over silently.
ListenPlace FindListenPlace(const std::string& runtimeDir, const std::string& tempDir);

// A request is one line of text ending in '\n', at most this long with it:
// room for a script's command with a label's message, hex-coded.
inline constexpr std::size_t kMaxRequestBytes = 160 * 1024;

struct InstanceRequest {
  enum class Kind { Unknown, Show, Command };
  Kind kind = Kind::Unknown;
  std::string argument;  // what follows the request's word and one blank
};

// One line without its '\n' (a '\r' before it is dropped). The first word
// names the request; anything not known is Unknown and is ignored.
InstanceRequest ParseRequest(std::string_view line);
// The line that asks a running program to bring its window forward.
std::string ShowRequestLine();

// A script's command handed to the running program ("command <hex>\n"),
// `payload` being the command as bytes (core/cmdline EncodeRequest); the
// program answers with one line (CommandReplyLine), which ends the talk.
std::string CommandRequestLine(std::string_view payload);
struct CommandReply {
  int exitCode = 0;
  std::string out, err;  // standard output and standard error, UTF-8
};
std::string CommandReplyLine(const CommandReply& reply);
// None for a line that is no reply.
std::optional<CommandReply> ParseCommandReply(std::string_view line);

// Bytes as hexadecimal digits and back; none for text that is not such.
std::string HexOf(std::string_view bytes);
std::optional<std::string> FromHex(std::string_view hex);

// Collects the bytes a peer sends until the request's line is whole.
class RequestReader {
 public:
  enum class State { NeedMore, Done, Refused };
  // Refused: the line grew over kMaxRequestBytes, or held a NUL byte.
  // Bytes after the line's end are not looked at.
  State Take(std::string_view bytes);
  const std::string& Line() const { return line_; }  // without '\n'

 private:
  std::string line_;
  State state_ = State::NeedMore;
};

}  // namespace morna
