// Message boxes and the general error handler.
//
// Every event handler runs its body inside Guard(), so no exception crosses
// a Qt frame: an error is shown by the general error handler (caption
// "Moranote") and the event loop goes on. Boxes go through a replaceable
// sink so that tests can see what would have been shown.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>

class QWidget;

namespace morna::ui {

// An error whose text is shown as it stands (UTF-8).
class Error : public std::runtime_error {
 public:
  explicit Error(const QString& text) : std::runtime_error(text.toStdString()) {}
  QString text() const { return QString::fromStdString(what()); }
};

enum class BoxIcon { None, Error, Warning, Information };

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // A box that waits for the user (a modal box with a loop of its own): for
  // what the user's own action brought about.
  virtual void Show(const QString& caption, const QString& text, BoxIcon icon) = 0;
  // A box that does not wait: shown without a loop of its own and returning
  // at once, for what a timer or a watcher found. The toolkit does not fire
  // a timer again while its handler waits in a loop, so a waiting box shown
  // from there would hold that timer. `closed` runs once the user has
  // closed the box, unless `context` (when given) has gone by then. A sink
  // that shows nothing real (a test's) shows it and calls `closed` at once.
  virtual void Tell(const QString& caption, const QString& text, BoxIcon icon, QObject* /*context*/,
                    std::function<void()> closed) {
    Show(caption, text, icon);
    if (closed) closed();
  }
};

// The sink in use; by default real message boxes: modal ones for Show;
// for Tell, boxes that are not modal, objectName "Report", shown one at a
// time (the next when the one standing is closed), the same text never
// twice at once.
MessageSink& Messages();
// Replaces the sink (tests); nullptr restores the real boxes.
void SetMessageSink(MessageSink* sink);

inline const QString kAppTitle = QStringLiteral("Moranote");
// The caption of the file and date-time boxes (full-width letters).
inline const QString kFileBoxCaption = QStringLiteral("Ｍｏｒａｎｏｔｅ");

// Shows an error's text with the caption "Moranote".
void GeneralErrorHandler(const QString& text);
// The same with a box that does not wait (MessageSink::Tell).
void TellError(const QString& text, QObject* context = nullptr,
               std::function<void()> closed = {});

// Runs `body`; an exception it throws goes to the general error handler.
// Returns false when the body failed.
bool Guard(const std::function<void()>& body);
// The same, telling the error in a box that does not wait (TellError): for
// what a timer runs.
bool GuardTelling(const std::function<void()>& body, QObject* context = nullptr);

// The one way a handler is connected: `signal` of `sender` runs `handler`
// inside Guard() for as long as `context` lives. `handler` is a member
// function of `context` or any callable; it takes the signal's arguments or
// none.
template <typename Sender, typename Signal, typename Context, typename Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, Context* context,
                                       Handler handler) {
  return QObject::connect(sender, signal, context, [context, handler](const auto&... args) {
    Guard([&] {
      auto call = [&](const auto&... given) {
        if constexpr (std::is_member_function_pointer_v<Handler>) (context->*handler)(given...);
        else handler(given...);
      };
      constexpr bool takesArguments =
          std::is_member_function_pointer_v<Handler>
              ? std::is_invocable_v<Handler, Context*, decltype(args)...>
              : std::is_invocable_v<Handler, decltype(args)...>;
      if constexpr (takesArguments) call(args...);
      else call();
    });
  });
}

}  // namespace morna::ui
