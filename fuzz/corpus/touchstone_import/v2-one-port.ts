[version] 2.0
[Number of Ports] 1
[Network Data]
1 1 0
2 1 0
[End]
3 1 0
