#pragma once
// Descriptors 0, 1 and 2 kept open.
//
// A program started without them (by a session manager, a unit with closed standard
// input) would hand the lowest free numbers to whatever it opens next, the X connection
// among them; a library that closes "its" descriptor 0 by mistake then tears that
// connection down. Each of the three that is closed is opened on /dev/null instead.
void keepStandardDescriptorsOpen();
