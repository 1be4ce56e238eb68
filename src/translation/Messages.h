#pragma once

#include "translation/TranslateUnit.h"
