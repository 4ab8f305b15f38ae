// Find in the answer and the answer font.

#include "Unit1/Tmain.h"

void Tmain::buildDialogs() {}
void Tmain::findNext(ViewRow&) {}
void Tmain::SpeedButton6Click() {}
void Tmain::FindDialog1Find() {}
void Tmain::FindDialog2Find() {}
void Tmain::FindDialog3Find() {}
void Tmain::FindDialog4Find() {}
void Tmain::FindDialog5Find() {}
void Tmain::FindDialog6Find() {}
void Tmain::SpeedButton7Click() {}
