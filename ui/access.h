// What the windows say to screen readers (the toolkit's accessibility, which
// is AT-SPI on Linux): the names and descriptions of the controls whose
// captions do not say what they are, the words of a day cell's name, the
// state of a label window, and alerts.
#pragma once

#include <QString>

#include "core/access.h"
#include "core/labelwindows.h"

class QWidget;

namespace morna::ui {

class TPstCal;
class TPstInit;
class TPstMain;
class TPstPsub;

// Names (and describes) a control for screen readers; an empty description
// leaves the one it has.
void Speak(QWidget* w, const QString& name, const QString& description = QString());

// Changes a control's name or description as it shows something new; the
// toolkit tells screen readers of the change, so one that changes nothing
// is left alone.
void Rename(QWidget* w, const QString& name);
void Redescribe(QWidget* w, const QString& description);

// Raises an alert on `w`: what a screen reader announces at once, wherever
// the focus is.
void RaiseAlert(QWidget* w);

// The keys that reach what only the mouse reached: from the registration
// window to the label windows (and on through them), and the icon's menu.
QString LabelWindowsKeyText();  // "F6"
QString IconMenuKeyText();      // "Alt+M"

// The names of the controls of each window that their captions leave
// unnamed or unclear.
void SpeakMain(TPstMain& w);
void SpeakPopup(TPstPsub& w);
void SpeakSettings(TPstInit& w);
void SpeakCalendar(TPstCal& w);

// The words of a day cell's name in the interface's language.
const DayNameTexts& DayTexts();
// A day cell's name; `blank` for a cell of another month.
QString DayName(const DaySpeech& day, bool blank);

// What a label window's state says, as its description.
QString LabelStateText(LabelState state);

}  // namespace morna::ui
