// Contacts with the ghosts. Placeholder.
#include "board/contacts.h"

void GhostContact() {}
void EatGhosts() {}
