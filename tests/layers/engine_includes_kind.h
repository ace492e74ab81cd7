// Stands for a file of the engine that includes a kind: the layer check refuses it.
#include "skin/kinds/KindTable.h"
