// Translation of user-visible literals.
#ifndef UTL_TR_H
#define UTL_TR_H

// The text to show for the English literal `text`: its translation when the
// catalogue has one, else `text` itself. The result stays valid until the
// catalogue changes.
char const * utl_tr(char const * text);

// The translation catalogue; the front end fills it for the user's language.
void utl_SetTranslation(char const * english, char const * translated);
void utl_ClearTranslations();

#endif
