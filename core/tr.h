// Texts that core composes for people are Japanese; ui shows them in the
// user's language. Such a text is marked with its translation context so
// that the translation tools (lupdate, told that this is QT_TRANSLATE_NOOP)
// find it; in the code it stays the plain text.
#pragma once

#define MORNA_TRANSLATE_NOOP(context, text) text
