#include "core/instance.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/platform.h"
#include "tests/core/tempdir.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morna {
namespace {

using platform::FileInfo;
using platform::Kind;
using testing::TempDir;

constexpr std::int64_t kMe = 1000, kOther = 1001;

FileInfo Thing(Kind kind, std::int64_t owner, unsigned mode) {
  FileInfo info;
  info.kind = kind;
  info.owner = owner;
  info.mode = mode;
  return info;
}

TEST(InstancePlace, AFolderIsTrustedOnlyWhenItIsTheUsersOwnRealFolderClosedToOthers) {
  EXPECT_EQ(CheckFolder(FileInfo{}, kMe), PlaceCheck::Missing);
  EXPECT_EQ(CheckFolder(Thing(Kind::Directory, kMe, 0700), kMe), PlaceCheck::Ours);
  EXPECT_EQ(CheckFolder(Thing(Kind::Directory, kMe, 0755), kMe), PlaceCheck::Ours);
  EXPECT_EQ(CheckFolder(Thing(Kind::Directory, kOther, 0700), kMe), PlaceCheck::Foreign);
  EXPECT_EQ(CheckFolder(Thing(Kind::Symlink, kOther, 0777), kMe), PlaceCheck::Foreign);
  EXPECT_EQ(CheckFolder(Thing(Kind::Symlink, kMe, 0777), kMe), PlaceCheck::Unsafe);
  EXPECT_EQ(CheckFolder(Thing(Kind::Regular, kMe, 0700), kMe), PlaceCheck::Unsafe);
  EXPECT_EQ(CheckFolder(Thing(Kind::Directory, kMe, 0770), kMe), PlaceCheck::Unsafe);
  EXPECT_EQ(CheckFolder(Thing(Kind::Directory, kMe, 01777), kMe), PlaceCheck::Unsafe);
}

TEST(InstancePlace, ASocketFileIsTrustedOnlyWhenItIsTheUsersOwnSocket) {
  EXPECT_EQ(CheckSocketFile(FileInfo{}, kMe), PlaceCheck::Missing);
  EXPECT_EQ(CheckSocketFile(Thing(Kind::Other, kMe, 0600), kMe), PlaceCheck::Ours);
  EXPECT_EQ(CheckSocketFile(Thing(Kind::Other, kOther, 0777), kMe), PlaceCheck::Foreign);
  EXPECT_EQ(CheckSocketFile(Thing(Kind::Symlink, kMe, 0777), kMe), PlaceCheck::Unsafe);
  EXPECT_EQ(CheckSocketFile(Thing(Kind::Regular, kMe, 0600), kMe), PlaceCheck::Unsafe);
  EXPECT_EQ(CheckSocketFile(Thing(Kind::Directory, kMe, 0700), kMe), PlaceCheck::Unsafe);
}

#ifndef _WIN32
TEST(InstancePlace, TheRuntimeFolderWhenItIsTheUsersElseAPrivateFolderMadeInTheTemporaryOne) {
  TempDir dir;
  const std::string runtime = dir.File("run"), temp = dir.File("tmp");
  ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(temp.c_str(), 0777), 0);
  const std::string own = temp + "/" + PrivateTempFolderName(platform::CurrentUserId());

  ListenPlace place = FindListenPlace(runtime, temp);
  EXPECT_EQ(place.status, ListenPlace::Status::Ready);
  EXPECT_EQ(place.folder, runtime);
  EXPECT_FALSE(std::filesystem::exists(own)) << "nothing made when the runtime folder serves";

  // No runtime folder, or one open to others: the private folder, made 0700.
  for (const std::string& unusable : {std::string(), runtime}) {
    ::chmod(runtime.c_str(), 0777);
    place = FindListenPlace(unusable, temp);
    EXPECT_EQ(place.status, ListenPlace::Status::Ready);
    EXPECT_EQ(place.folder, own);
    EXPECT_EQ(platform::Inspect(own, false).mode & 0777, 0700u);
  }
}

TEST(InstancePlace, ALinkOrAnOpenFolderAtThePrivatePlaceIsNeverUsed) {
  TempDir dir;
  const std::string temp = dir.Path().string(), target = dir.File("elsewhere");
  const std::string own = temp + "/" + PrivateTempFolderName(platform::CurrentUserId());
  ASSERT_EQ(::mkdir(target.c_str(), 0700), 0);
  ASSERT_EQ(::symlink(target.c_str(), own.c_str()), 0);
  EXPECT_EQ(FindListenPlace("", temp).status, ListenPlace::Status::Unusable);

  ASSERT_EQ(::unlink(own.c_str()), 0);
  ASSERT_EQ(::mkdir(own.c_str(), 0700), 0);
  ASSERT_EQ(::chmod(own.c_str(), 0777), 0);
  EXPECT_EQ(FindListenPlace("", temp).status, ListenPlace::Status::Unusable);
  EXPECT_EQ(platform::Inspect(own, false).mode & 0777, 0777u) << "left as it stands";
}

TEST(InstancePlace, APrivatePlaceTakenByAnotherAccountIsHeldByAnotherAndLeftAlone) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a folder to another account";
  TempDir dir;
  const std::string temp = dir.Path().string();
  const std::string own = temp + "/" + PrivateTempFolderName(platform::CurrentUserId());
  ASSERT_EQ(::mkdir(own.c_str(), 0777), 0);
  ASSERT_EQ(::chown(own.c_str(), 65534, 65534), 0);
  const ListenPlace place = FindListenPlace("", temp);
  EXPECT_EQ(place.status, ListenPlace::Status::HeldByAnother);
  EXPECT_EQ(place.folder, own);
  EXPECT_EQ(platform::Inspect(own, false).owner, 65534);
}
#endif

TEST(InstanceRequests, OnlyAKnownRequestIsActedOn) {
  EXPECT_EQ(ParseRequest("show").kind, InstanceRequest::Kind::Show);
  EXPECT_EQ(ParseRequest("show\r").kind, InstanceRequest::Kind::Show);
  EXPECT_EQ(ParseRequest(ShowRequestLine().substr(0, ShowRequestLine().size() - 1)).kind,
            InstanceRequest::Kind::Show);
  for (const char* other : {"", "SHOW", "show me", " show", "shows", "add 2024/01/01 x"})
    EXPECT_EQ(ParseRequest(other).kind, InstanceRequest::Kind::Unknown) << other;
  EXPECT_EQ(ParseRequest("add 2024/01/01 x").argument, "2024/01/01 x");
}

TEST(InstanceRequests, ALineIsTakenInPiecesUpToItsLimitAndNoFurther) {
  RequestReader reader;
  EXPECT_EQ(reader.Take("sh"), RequestReader::State::NeedMore);
  EXPECT_EQ(reader.Take(""), RequestReader::State::NeedMore);
  EXPECT_EQ(reader.Take("ow\nrest"), RequestReader::State::Done);
  EXPECT_EQ(reader.Line(), "show");
  EXPECT_EQ(reader.Take("more\n"), RequestReader::State::Done) << "one line per peer";
  EXPECT_EQ(reader.Line(), "show");

  RequestReader longest;
  EXPECT_EQ(longest.Take(std::string(kMaxRequestBytes - 1, 'x') + "\n"),
            RequestReader::State::Done);
  RequestReader tooLong;
  EXPECT_EQ(tooLong.Take(std::string(kMaxRequestBytes - 1, 'x')), RequestReader::State::NeedMore);
  EXPECT_EQ(tooLong.Take("x"), RequestReader::State::Refused);
  EXPECT_EQ(tooLong.Take("\n"), RequestReader::State::Refused);

  RequestReader nul;
  EXPECT_EQ(nul.Take(std::string("sh\0ow\n", 6)), RequestReader::State::Refused);
}

TEST(InstanceProtocol, ACommandAndItsReplyTravelAsOneLineEach) {
  const std::string line = CommandRequestLine(std::string("a\0\n", 3));
  ASSERT_EQ(line.back(), '\n');
  EXPECT_EQ(line.find('\n'), line.size() - 1);
  const InstanceRequest request = ParseRequest(line.substr(0, line.size() - 1));
  EXPECT_EQ(request.kind, InstanceRequest::Kind::Command);
  EXPECT_EQ(FromHex(request.argument), std::string("a\0\n", 3));
  const std::optional<CommandReply> reply =
      ParseCommandReply(CommandReplyLine(CommandReply{1, "o\n", "e \xff"}));
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->exitCode, 1);
  EXPECT_EQ(reply->out, "o\n");
  EXPECT_EQ(reply->err, "e \xff");
  for (const char* bad : {"reply", "reply 0 zz 00", "reply x 00 00", "reply 0 0 00", "show"})
    EXPECT_FALSE(ParseCommandReply(bad)) << bad;
}

}  // namespace
}  // namespace morna
