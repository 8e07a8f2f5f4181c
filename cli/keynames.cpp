#include "cli/keynames.h"

#include "sim/simkeys.h"

QString cliKeyName(int keyId)
{
    return simKeyName(keyId);
}
