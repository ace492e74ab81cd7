// Stands for a bottom service that includes the application object: the layer check refuses it.
#include "app/CConverterApp.h"
