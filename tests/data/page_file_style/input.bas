Sub Main()
	Dim i As Long
	For i = 1 To 3: Debug.Print i: Next i
End Sub

' Doubles a number.
Function Twice(ByVal x As Long) As Long
	Twice = x * 2
End Function
