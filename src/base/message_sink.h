#pragma once

// MessageSink lives with the program, its only user once layout loading no longer
// reports through it; the engine and the converter still include it from here.
#include "program/message_sink.h"
