#pragma once
// Small stand-alone routines that several parts of the program share. None keeps state.
#include "util/byte_size.h"
#include "util/file_facts.h"
#include "util/lines.h"
#include "util/path_text.h"
#include "util/system_facts.h"
