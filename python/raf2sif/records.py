"""The records of a SIF file as read_sif gives them."""

import numpy as np


class SifRecords:
    """Record i is names[i] with values[offsets[i]:offsets[i + 1]]."""

    def __init__(self, names, offsets, values):
        self.names = np.array(names, dtype=object)
        self.offsets = offsets
        self.values = values

    def __len__(self):
        return len(self.names)

    def __getitem__(self, i):
        if i < 0:
            i += len(self)
        if not 0 <= i < len(self):
            raise IndexError(i)
        return self.names[i], self.values[self.offsets[i] : self.offsets[i + 1]]

    def __iter__(self):
        return (self[i] for i in range(len(self)))

    def named(self, name):
        """The values of every record called `name`, in file order."""
        return [self.values[self.offsets[i] : self.offsets[i + 1]] for i in np.flatnonzero(self.names == name)]

    def displacements(self, stored):
        """The (NNP, 6) displacements of stored step `stored` (1 to NSTORE) from its RVNODDIS records."""
        rows = [v[5:11] for v in self.named("RVNODDIS") if v[0] == 11 and v[1] == stored]
        return np.array(rows).reshape(-1, 6)
