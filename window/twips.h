#pragma once
// The window lays out in twips as the grid pictures do.

#include "picture/twips.h"
